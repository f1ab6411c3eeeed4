#include "regularfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::Kind RegularFile::kindOfMode(unsigned mode)
{
    if (S_ISREG(mode))
        return Kind::Regular;
    if (S_ISDIR(mode))
        return Kind::Folder;
    if (S_ISFIFO(mode))
        return Kind::Pipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Kind::Device;
    if (S_ISSOCK(mode))
        return Kind::Socket;
    return Kind::Other;
}

RegularFile::Kind RegularFile::kindOf(const QString &path, qint64 *size)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return Kind::Missing;
    if (size)
        *size = qint64(info.st_size);
    return kindOfMode(info.st_mode);
}

RegularFile::Content RegularFile::read(const QString &path, qint64 maxSize)
{
    Content content;
    content.kind = kindOf(path, &content.size);
    if (content.kind != Kind::Regular)
        return content;
    if (content.size > maxSize) {
        content.tooLarge = true;
        return content;
    }
    // Non-blocking, so a pipe put in the file's place meanwhile cannot hold
    // the open; the descriptor is checked once more before reading.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        content.error = qt_error_string(errno);
        return content;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        content.kind = kindOfMode(info.st_mode);
        ::close(fd);
        return content;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        content.error = file.errorString();
        ::close(fd);
        return content;
    }
    // Read in pieces rather than into a buffer of the largest size allowed:
    // a settings file is a few hundred bytes and is read after every change.
    // One byte more than allowed tells a file that grew since it was measured.
    while (content.data.size() <= maxSize) {
        const QByteArray piece =
            file.read(std::min<qint64>(64 * 1024, maxSize + 1 - content.data.size()));
        if (piece.isEmpty())
            break;
        content.data += piece;
    }
    content.size = content.data.size();
    if (file.error() != QFileDevice::NoError)
        content.error = file.errorString();
    else if (content.size > maxSize)
        content.tooLarge = true;
    if (!content.ok())
        content.data.clear();
    return content;
}

QString RegularFile::describe(Kind kind)
{
    switch (kind) {
    case Kind::Missing:
        return tr("nothing");
    case Kind::Regular:
        return tr("a file");
    case Kind::Folder:
        return tr("a folder");
    case Kind::Pipe:
        return tr("a named pipe (FIFO)");
    case Kind::Device:
        return tr("a device");
    case Kind::Socket:
        return tr("a socket");
    case Kind::Other:
        break;
    }
    return tr("not a regular file");
}

QString RegularFile::refusal(const Content &content, qint64 maxSize)
{
    if (content.kind != Kind::Regular)
        return tr("it is %1, not a file").arg(describe(content.kind));
    if (content.tooLarge)
        return tr("it is larger than %1 KiB").arg(maxSize / 1024);
    return content.error;
}
