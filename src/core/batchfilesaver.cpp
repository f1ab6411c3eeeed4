#include "batchfilesaver.h"

#include "diskcheck.h"
#include "dospath.h"
#include "drivemap.h"
#include "filedescriptor.h"
#include "hostname.h"
#include "regularfile.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens a folder only to work in it: no permission to read it is needed.
FileDescriptor openFolder(int at, const QByteArray &path)
{
    return FileDescriptor(::openat(at, path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// A name of its own beside the target, hidden, short enough for any name.
QByteArray temporaryName(const QByteArray &name)
{
    constexpr qsizetype kept = 200;
    qsizetype length = std::min(name.size(), kept);
    while (length > 0 && length < name.size() && (uchar(name.at(length)) & 0xC0) == 0x80)
        --length; // not inside a letter's bytes
    QByteArray random(6, Qt::Uninitialized);
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (char &c : random)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof(letters) - 1))];
    return '.' + name.left(length) + '.' + random;
}

// Writes all of it, as far as the system lets; how far it got.
qint64 writeAll(int fd, const QByteArray &bytes, int *error)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = n < 0 ? errno : EIO;
            break;
        }
        written += n;
    }
    return written;
}

} // namespace

// The folder the file goes into, opened, and the file's name there, as bytes;
// what stands at that name now, links followed.
struct BatchFileSaver::Target
{
    FileDescriptor folder;
    QByteArray name;
    struct stat info
    {
    };
    bool exists = false;
};

BatchFileSaver::BatchFileSaver(const DriveMap &drives) : m_drives(drives) {}

std::optional<QString> BatchFileSaver::nameProblem(const QString &dosPath)
{
    const QString name = DosPath::lastPart(dosPath);
    if (name.isEmpty())
        return tr("The path ends in a backslash, so it names no file.");
    // Windows and Linux both stop at 255 for one name; Linux counts its bytes,
    // and a letter such as é takes two of them.
    constexpr qsizetype longestName = 255;
    if (name.size() > longestName)
        return tr("The file name is too long: a file name can have at most %1 characters.")
            .arg(longestName);
    if (const qsizetype bytes = name.toUtf8().size(); bytes > longestName)
        return tr("The file name is too long: its %1 characters take %2 bytes on this system, "
                  "which keeps at most %3 bytes for a file name.")
            .arg(name.size())
            .arg(bytes)
            .arg(longestName);
    static const QString reserved = QStringLiteral("<>:\"|?*");
    for (const QChar character : name) {
        if (reserved.contains(character))
            return tr("\"%1\" is not a valid file name: file names cannot hold the character "
                      "\"%2\".")
                .arg(name, character);
    }
    // Windows opens the device, not a file, for these names with any extension;
    // it counts the superscript digits as digits.
    static const QRegularExpression device(
        QStringLiteral("^(con|prn|aux|nul|conin\\$|conout\\$|com[1-9\u00B9\u00B2\u00B3]|"
                       "lpt[1-9\u00B9\u00B2\u00B3])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = device.match(name);
    if (match.hasMatch())
        return tr("\"%1\" is not a valid file name: %2 is the name of a device.")
            .arg(name, match.captured(1).toUpper());
    return std::nullopt;
}

std::optional<QString> BatchFileSaver::save(const QString &dosPath, const QByteArray &bytes) const
{
    if (auto problem = nameProblem(dosPath))
        return problem;
    const DriveMap::HostPath host = m_drives.toHost(dosPath);
    if (!host.ok())
        return tr("The path cannot be reached: %1.").arg(host.error);
    Target target;
    if (auto problem = openTarget(dosPath, host.path, target))
        return problem;
    if (auto problem = placeProblem(dosPath, target))
        return problem;
    return write(dosPath, target, bytes);
}

std::optional<QString> BatchFileSaver::openTarget(const QString &dosPath, const QString &hostPath,
                                                  Target &target) const
{
    const QByteArray path = HostName::toBytes(hostPath);
    const qsizetype separator = path.lastIndexOf('/');
    const QByteArray folder = separator <= 0 ? QByteArray("/") : path.left(separator);
    target.name = path.mid(separator + 1);
    if (target.name.isEmpty()) // the root of the host
        return tr("%1 is a folder.").arg(dosPath);
    struct stat info
    {
    };
    if (::stat(folder.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return tr("The folder %1 does not exist.").arg(DosPath::folderPart(dosPath));
        return tr("The folder %1 cannot be opened: %2.")
            .arg(DosPath::folderPart(dosPath), qt_error_string(errno));
    }
    if (!S_ISDIR(info.st_mode))
        return tr("%1 is a file, not a folder.").arg(DosPath::folderPart(dosPath));
    target.folder = openFolder(AT_FDCWD, folder);
    if (!target.folder.isOpen())
        return tr("The folder %1 cannot be opened: %2.")
            .arg(DosPath::folderPart(dosPath), qt_error_string(errno));
    return followLinks(dosPath, target);
}

// A link at the target is kept, and the file it leads to is written, made
// if it is not there yet.
std::optional<QString> BatchFileSaver::followLinks(const QString &dosPath, Target &target) const
{
    constexpr int mostLinks = 40; // as the system itself follows
    for (int links = 0; links < mostLinks; ++links) {
        if (::fstatat(target.folder.get(), target.name.constData(), &target.info,
                      AT_SYMLINK_NOFOLLOW) != 0) {
            target.exists = false;
            return std::nullopt;
        }
        target.exists = true;
        if (!S_ISLNK(target.info.st_mode))
            return std::nullopt;
        QByteArray link(PATH_MAX, Qt::Uninitialized);
        const ssize_t size = ::readlinkat(target.folder.get(), target.name.constData(), link.data(),
                                          size_t(link.size()));
        if (size <= 0 || size >= link.size())
            return tr("The link %1 cannot be read: %2.")
                .arg(dosPath, qt_error_string(size < 0 ? errno : ENAMETOOLONG));
        link.truncate(size);
        const qsizetype separator = link.lastIndexOf('/');
        if (separator >= 0) {
            FileDescriptor folder = openFolder(
                target.folder.get(), separator == 0 ? QByteArray("/") : link.left(separator));
            if (!folder.isOpen())
                return tr("%1 is a link to %2, whose folder cannot be opened: %3.")
                    .arg(dosPath, HostName::forDisplay(HostName::fromBytes(link)),
                         qt_error_string(errno));
            target.folder = std::move(folder);
        }
        target.name = link.mid(separator + 1);
        if (target.name.isEmpty())
            target.name = ".";
    }
    return tr("%1 is a link that leads through too many links.").arg(dosPath);
}

// What can be told before anything is written.
std::optional<QString> BatchFileSaver::placeProblem(const QString &dosPath,
                                                    const Target &target) const
{
    if (!target.exists)
        return std::nullopt;
    if (S_ISDIR(target.info.st_mode))
        return tr("%1 is a folder.").arg(dosPath);
    // A device, a pipe or a socket would be replaced by a plain file, and
    // opening a pipe can wait forever: they stay as they are.
    if (!S_ISREG(target.info.st_mode))
        return tr("%1 is %2, not a file, and stays as it is.")
            .arg(dosPath, RegularFile::describe(RegularFile::kindOfMode(target.info.st_mode)));
    // A disk remounted read-only makes every file on it read-only: the disk
    // is what the user has to change.
    if (DiskCheck::isReadOnlyDisk(target.folder.get()))
        return tr("The disk holding %1 is read-only.").arg(DosPath::folderPart(dosPath));
    // The file's own mode counts, not only what the system says, so a
    // read-only file stays untouched also for a user whom the system would
    // let write anyway.
    if (::faccessat(target.folder.get(), target.name.constData(), W_OK, 0) != 0 ||
        !(target.info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return tr("The file %1 already exists and is read-only.").arg(dosPath);
    return std::nullopt;
}

// Written in full and on the disk before it may take the target's place.
std::optional<QString> BatchFileSaver::write(const QString &dosPath, const Target &target,
                                             const QByteArray &bytes) const
{
    const int folder = target.folder.get();
    QByteArray temporary;
    FileDescriptor file;
    for (int tries = 0; tries < 100 && !file.isOpen(); ++tries) {
        temporary = temporaryName(target.name);
        file.reset(::openat(folder, temporary.constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!file.isOpen() && errno != EEXIST)
            break;
    }
    if (!file.isOpen())
        return writeProblem(dosPath, target, {-1, bytes.size()}, errno);
    if (target.exists) // the file keeps the permissions it had
        ::fchmod(file.get(), target.info.st_mode & 07777);
    int error = 0;
    const qint64 reached = writeAll(file.get(), bytes, &error);
    if (!error && ::fsync(file.get()) != 0)
        error = errno;
    if (::close(file.release()) != 0 && !error)
        error = errno;
    if (error) {
        ::unlinkat(folder, temporary.constData(), 0);
        return writeProblem(dosPath, target, {reached, bytes.size()}, error);
    }
    if (::renameat(folder, temporary.constData(), folder, target.name.constData()) != 0) {
        error = errno;
        ::unlinkat(folder, temporary.constData(), 0);
        return replaceProblem(dosPath, target, error);
    }
    return std::nullopt;
}

// What went wrong once the write itself failed.
QString BatchFileSaver::writeProblem(const QString &dosPath, const Target &target,
                                     WriteProgress progress, int error) const
{
    if (DiskCheck::isReadOnlyDisk(target.folder.get()))
        return tr("The disk holding %1 is read-only.").arg(DosPath::folderPart(dosPath));
    if (DiskCheck::isFullDisk(target.folder.get(), progress.wanted))
        return tr("The disk is full.");
    if (::faccessat(target.folder.get(), ".", W_OK, 0) != 0)
        return tr("You have no permission to write in the folder %1.")
            .arg(DosPath::folderPart(dosPath));
    if (progress.reached >= 0 && progress.reached < progress.wanted)
        return tr("The system stopped the write after %1 of the file's %2 bytes.")
            .arg(progress.reached)
            .arg(progress.wanted);
    return tr("The system reports: %1.").arg(qt_error_string(error));
}

// The new file was written in full but could not take the old one's place.
QString BatchFileSaver::replaceProblem(const QString &dosPath, const Target &target,
                                       int error) const
{
    // In a folder such as /tmp only a file's owner may replace it.
    struct stat folder
    {
    };
    const uid_t me = ::geteuid();
    if (::fstat(target.folder.get(), &folder) == 0 && (folder.st_mode & S_ISVTX) && me != 0 &&
        folder.st_uid != me && target.exists && target.info.st_uid != me)
        return tr("The file %1 belongs to another user, and the folder %2 lets only a file's "
                  "owner replace it.")
            .arg(dosPath, DosPath::folderPart(dosPath));
    return tr("The system did not let the new file take the place of %1: %2.")
        .arg(dosPath, qt_error_string(error));
}
