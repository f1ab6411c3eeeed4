#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Reads a file only when it is a plain file of a bounded size. Opening a named
// pipe can wait forever for a writer, and a device such as /dev/zero never
// ends, so anything else is refused before it is read, and the check is made
// again on the open file, so a file swapped in between is refused as well.
class RegularFile
{
    Q_DECLARE_TR_FUNCTIONS(RegularFile)

public:
    enum class Kind { Missing, Regular, Folder, Pipe, Device, Socket, Other };

    struct Content
    {
        Kind kind = Kind::Missing;
        qint64 size = 0;
        QByteArray data;
        QString error; // why a plain file of a fitting size could not be read
        bool tooLarge = false;
        bool ok() const { return kind == Kind::Regular && !tooLarge && error.isEmpty(); }
    };

    // What lies at the path, links followed; never opens it.
    static Kind kindOf(const QString &path, qint64 *size = nullptr);
    // The kind a file mode (st_mode) stands for.
    static Kind kindOfMode(unsigned mode);
    static Content read(const QString &path, qint64 maxSize);

    // "a folder", "a named pipe (FIFO)", "a device"... for messages.
    static QString describe(Kind kind);
    // Why the content was not taken: what the thing is, its size, or the
    // system's words; empty when it was.
    static QString refusal(const Content &content, qint64 maxSize);
};
