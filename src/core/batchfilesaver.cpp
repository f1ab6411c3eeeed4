#include "batchfilesaver.h"

#include "drivemap.h"
#include "regularfile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace {

qsizetype lastSeparator(const QString &dosPath)
{
    return std::max(dosPath.lastIndexOf(QLatin1Char('\\')), dosPath.lastIndexOf(QLatin1Char('/')));
}

// The folder part of the path, as the user typed it.
QString dosFolder(const QString &dosPath)
{
    const qsizetype separator = lastSeparator(dosPath);
    return separator < 0 ? QString() : dosPath.left(separator);
}

// The file's own mode counts, not only what access() says, so a read-only file
// stays untouched also for a user whom the system would let write anyway.
bool isReadOnly(const QFileInfo &file)
{
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !file.isWritable() || !(file.permissions() & anyWrite);
}

} // namespace

BatchFileSaver::BatchFileSaver(const DriveMap &drives) : m_drives(drives) {}

std::optional<QString> BatchFileSaver::nameProblem(const QString &dosPath)
{
    const QString name = dosPath.mid(lastSeparator(dosPath) + 1);
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
    if (auto problem = placeProblem(dosPath, host.path))
        return problem;

    // Qt 6.4's commit() takes a failed or short write for success and would put
    // an empty or cut-off file in place of the earlier one, so the write is
    // checked in full before the file may replace anything.
    QSaveFile file(host.path);
    const bool opened = file.open(QIODevice::WriteOnly);
    const bool written = opened && file.write(bytes) == bytes.size() && file.flush() &&
                         file.error() == QFileDevice::NoError && file.size() == bytes.size();
    if (written) {
        if (file.commit())
            return std::nullopt;
        return replaceProblem(dosPath, host.path, file.errorString());
    }
    const qint64 reached = opened ? file.size() : -1;
    const QString systemText = file.errorString();
    file.cancelWriting();
    return writeProblem(dosPath, host.path, {reached, bytes.size()}, systemText);
}

// What can be told before anything is written.
std::optional<QString> BatchFileSaver::placeProblem(const QString &dosPath,
                                                    const QString &hostPath) const
{
    const QFileInfo target(hostPath);
    const QFileInfo folder(target.path());
    if (!folder.exists())
        return tr("The folder %1 does not exist.").arg(dosFolder(dosPath));
    if (!folder.isDir())
        return tr("%1 is a file, not a folder.").arg(dosFolder(dosPath));
    if (target.isDir())
        return tr("%1 is a folder.").arg(dosPath);
    // A device, a pipe or a socket would be replaced by a plain file, and
    // opening a pipe can wait forever: they stay as they are.
    if (const auto kind = RegularFile::kindOf(hostPath);
        kind != RegularFile::Kind::Missing && kind != RegularFile::Kind::Regular)
        return tr("%1 is %2, not a file, and stays as it is.")
            .arg(dosPath, RegularFile::describe(kind));
    if (target.exists() && isReadOnly(target))
        return tr("The file %1 already exists and is read-only.").arg(dosPath);
    return std::nullopt;
}

// What went wrong once the write itself failed.
QString BatchFileSaver::writeProblem(const QString &dosPath, const QString &hostPath,
                                     WriteProgress progress, const QString &systemText) const
{
    const QString hostFolder = QFileInfo(hostPath).path();
    const QStorageInfo storage(hostFolder);
    if (storage.isValid() && storage.isReadOnly())
        return tr("The disk holding %1 is read-only.").arg(dosFolder(dosPath));
    // Pseudo file systems report no size at all; they are not full.
    if (storage.isValid() && storage.bytesTotal() > 0 &&
        storage.bytesAvailable() < std::max<qint64>(progress.wanted, storage.blockSize()))
        return tr("The disk is full.");
    if (!QFileInfo(hostFolder).isWritable())
        return tr("You have no permission to write in the folder %1.").arg(dosFolder(dosPath));
    if (progress.reached >= 0 && progress.reached < progress.wanted)
        return tr("The system stopped the write after %1 of the file's %2 bytes.")
            .arg(progress.reached)
            .arg(progress.wanted);
    return tr("The system reports: %1.").arg(systemText);
}

// The new file was written in full but could not take the old one's place.
QString BatchFileSaver::replaceProblem(const QString &dosPath, const QString &hostPath,
                                       const QString &systemText) const
{
    // In a folder such as /tmp only a file's owner may replace it.
    struct stat folder
    {
    };
    struct stat target
    {
    };
    const uid_t me = ::geteuid();
    if (::stat(QFile::encodeName(QFileInfo(hostPath).path()).constData(), &folder) == 0 &&
        (folder.st_mode & S_ISVTX) && me != 0 && folder.st_uid != me &&
        ::stat(QFile::encodeName(hostPath).constData(), &target) == 0 && target.st_uid != me)
        return tr("The file %1 belongs to another user, and the folder %2 lets only a file's "
                  "owner replace it.")
            .arg(dosPath, dosFolder(dosPath));
    return tr("The system did not let the new file take the place of %1: %2.")
        .arg(dosPath, systemText);
}
