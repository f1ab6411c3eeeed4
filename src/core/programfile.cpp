#include "programfile.h"

#include "drivemap.h"
#include "filedescriptor.h"
#include "hostname.h"

#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Where the name leads from the folder: a path of its own when it names a
// drive or starts at a root, else a name in the folder.
QString dosPathOf(const QString &dosFolder, const QString &name)
{
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':'))
        return name;
    if (name.startsWith(QLatin1Char('\\')))
        return dosFolder.left(2) + name;
    return dosFolder + QLatin1Char('\\') + name;
}

bool isPlainFile(const QString &hostPath)
{
    struct stat info
    {
    };
    return ::stat(HostName::toBytes(hostPath).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

// Reads `size` bytes at `offset`; fewer at the end of the file.
QByteArray readAt(int fd, qint64 offset, qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    const ssize_t got = ::pread(fd, bytes.data(), size_t(size), off_t(offset));
    bytes.truncate(got < 0 ? 0 : qsizetype(got));
    return bytes;
}

} // namespace

ProgramFile::ProgramFile(const DriveMap &drives, const QString &dosFolder, const QString &command)
{
    const QString name = nameIn(command).text;
    if (name.isEmpty())
        return;
    const QString path = dosPathOf(dosFolder, name);
    const bool hasExtension =
        name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1).contains(QLatin1Char('.'));
    const QStringList tries =
        hasExtension ? QStringList{path}
                     : QStringList{path + QStringLiteral(".COM"), path + QStringLiteral(".EXE"),
                                   path + QStringLiteral(".BAT")};
    for (const QString &candidate : tries) {
        const DriveMap::HostPath host = drives.toHost(candidate);
        if (host.ok() && isPlainFile(host.path)) {
            m_hostPath = host.path;
            m_kind = kindOf(host.path);
            return;
        }
    }
}

ProgramFile::Name ProgramFile::nameIn(const QString &command)
{
    qsizetype start = 0;
    while (start < command.size() && isBlank(command.at(start)))
        ++start;
    if (start < command.size() && command.at(start) == QLatin1Char('"')) {
        ++start;
        const qsizetype quote = command.indexOf(QLatin1Char('"'), start);
        const qsizetype end = quote < 0 ? command.size() : quote;
        return {command.mid(start, end - start), start, end - start};
    }
    qsizetype end = start;
    while (end < command.size() && !isBlank(command.at(end)))
        ++end;
    return {command.mid(start, end - start), start, end - start};
}

ProgramKind ProgramFile::kindOf(const QString &hostPath)
{
    // Looked at before it is opened, and once more when open, so that a pipe
    // or a device is never opened or read: opening a pipe can wait forever.
    if (!isPlainFile(hostPath))
        return ProgramKind::Windows;
    const FileDescriptor file(::open(HostName::toBytes(hostPath).constData(),
                                     O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info
    {
    };
    if (!file.isOpen() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return ProgramKind::Windows;

    constexpr qsizetype headerSize = 0x40;
    constexpr qsizetype newHeaderAt = 0x3C;
    const QByteArray header = readAt(file.get(), 0, headerSize);
    const bool isMz = header.startsWith("MZ") || header.startsWith("ZM");
    if (!isMz)
        return hostPath.endsWith(QStringLiteral(".com"), Qt::CaseInsensitive)
                   ? ProgramKind::Dos
                   : ProgramKind::Windows;
    // A DOS executable has no room for the offset of a newer header.
    if (header.size() < headerSize)
        return ProgramKind::Dos;
    const quint32 offset = qFromLittleEndian<quint32>(header.constData() + newHeaderAt);
    if (qint64(offset) + 2 > qint64(info.st_size))
        return ProgramKind::Dos;
    const QByteArray signature = readAt(file.get(), offset, 4);
    const bool isWindows = signature == QByteArrayView("PE\0\0", 4) || signature.startsWith("NE");
    return isWindows ? ProgramKind::Windows : ProgramKind::Dos;
}
