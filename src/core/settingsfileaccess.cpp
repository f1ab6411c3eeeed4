#include "settingsfileaccess.h"

#include "diskcheck.h"
#include "regularfile.h"
#include "translator.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr Translator tr{"SettingsStore"};

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A lock file whose owner died: no process holds its lock any more. Qt takes
// over one that names a dead process at once, but a writer killed between
// creating the file and writing its name into it leaves an empty one, which
// Qt would honour for half a minute. Qt's holder keeps a flock() on the file
// from the moment it creates it, so a free flock on a file that has stood
// nameless for a moment means no one is coming back for it.
bool isAbandoned(QLockFile &lock)
{
    qint64 pid = 0;
    QString host, app;
    if (lock.getLockInfo(&pid, &host, &app))
        return false;
    const QDateTime created = QFileInfo(lock.fileName()).lastModified();
    const qint64 age = created.isValid() ? qAbs(created.msecsTo(QDateTime::currentDateTime())) : 0;
    const int fd = ::open(QFile::encodeName(lock.fileName()).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const int locked = ::flock(fd, LOCK_SH | LOCK_NB);
    const bool unsupported = locked != 0 && errno != EWOULDBLOCK;
    ::close(fd);
    if (locked == 0)
        return age > 100;
    return unsupported && age > 500; // no flock here: go by age alone
}

} // namespace

// Makes the folder and those above it; empty when it is there, else why not.
QString SettingsFileAccess::makeFolder(const QString &folder)
{
    if (QDir().mkpath(folder))
        return {};
    const QString existing = DiskCheck::nearestExisting(folder);
    if (!QFileInfo(existing).isDir())
        return tr("%1 is not a folder").arg(native(existing));
    if (DiskCheck::isReadOnlyDisk(existing))
        return tr("the folder %1 is on a read-only disk").arg(native(existing));
    if (DiskCheck::isFullDisk(existing))
        return tr("the disk is full");
    return tr("you have no permission to create a folder in %1").arg(native(existing));
}

// Tries for the lock, for a moment at most when asked to wait: another
// instance holds it for a millisecond or two while it saves.
SettingsFileAccess::LockResult SettingsFileAccess::takeLock(QLockFile &lock, bool briefly,
                                                            QString &reason)
{
    const QString folder = QFileInfo(lock.fileName()).absolutePath();
    QDeadlineTimer deadline(briefly ? 250 : 0);
    for (;;) {
        // Qt reads a lock file it finds to learn whether its owner lives; a
        // pipe or a device there would hold that read forever.
        struct stat info
        {
        };
        if (::lstat(QFile::encodeName(lock.fileName()).constData(), &info) == 0 &&
            !S_ISREG(info.st_mode)) {
            reason = S_ISLNK(info.st_mode)
                         ? tr("the lock file %1 is a link, not a file").arg(native(lock.fileName()))
                         : tr("the lock file %1 is %2, not a file")
                               .arg(native(lock.fileName()),
                                    RegularFile::describe(RegularFile::kindOf(lock.fileName())));
            return LockResult::Failed;
        }
        // Qt reads a lock file's lines whole; one that holds a few hundred
        // bytes more than a process id and two names is no lock of ours.
        if (info.st_size > 4096) {
            reason = tr("the lock file %1 is larger than 4 KiB, so it is not a lock file")
                         .arg(native(lock.fileName()));
            return LockResult::Failed;
        }
        if (lock.tryLock(0))
            return LockResult::Taken;
        switch (lock.error()) {
        case QLockFile::PermissionError:
            reason =
                DiskCheck::isReadOnlyDisk(folder)
                    ? tr("the folder %1 is on a read-only disk").arg(native(folder))
                    : tr("you have no permission to write in the folder %1").arg(native(folder));
            return LockResult::Failed;
        case QLockFile::UnknownError:
            // Qt says no more; a full disk is by far the likeliest reason.
            reason = DiskCheck::isFullDisk(folder)
                         ? tr("the disk is full")
                         : tr("the lock file %1 cannot be created").arg(native(lock.fileName()));
            return LockResult::Failed;
        default:
            break;
        }
        if (isAbandoned(lock)) {
            lock.removeStaleLockFile();
            continue;
        }
        if (deadline.hasExpired())
            return LockResult::Held;
        QThread::msleep(2);
    }
}

// Files of the temporary name QSaveFile gives its new file, left behind when
// a writer was killed between writing the file and renaming it into place.
// Taken away while the lock is held, so no one is writing one of them.
void SettingsFileAccess::removeLeftovers(const QString &filePath)
{
    const QFileInfo file(filePath);
    const QRegularExpression name(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(file.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir folder = file.absoluteDir();
    const QStringList entries = folder.entryList({file.fileName() + QStringLiteral(".*")},
                                                 QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        const QFileInfo leftover(folder.filePath(entry));
        if (name.match(entry).hasMatch() && !leftover.isSymLink() && leftover.isFile())
            folder.remove(entry);
    }
}
