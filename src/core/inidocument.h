#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// When the file was last looked at: a different stamp means it changed.
struct FileStamp
{
    bool exists = false;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;

    static FileStamp of(const QString &path);
    bool operator==(const FileStamp &) const = default;
};

// The file as lines, each kept with its own line end. Reading looks through
// the lines; a change rewrites, adds or removes only the lines of its entry or
// section, so comments, blank lines and lines the store does not understand
// stay where they are, the last line of the file too.
class IniDocument
{
public:
    // Nothing when the text is not one the store can keep whole: a NUL, or
    // bytes that are not UTF-8 (a binary file).
    static std::optional<IniDocument> parse(const QByteArray &data, QString &why);
    QByteArray serialize() const;
    std::optional<QString> value(const QString &section, const QString &key) const;
    void set(const QString &section, const QString &key, const QString &value);

    // Every block of the section goes, from its header to its last entry;
    // what follows that (a comment about the next section) stays.
    void removeSection(const QString &section);

    FileStamp stamp;

private:
    enum class Kind { Other, Section, Entry };
    struct Parsed
    {
        Kind kind = Kind::Other;
        QString name;
        QString value;
    };
    struct Line
    {
        QString text;
        QString end; // the line's own end: "\n", "\r\n", "\r", or none on the last line
    };

    // Blank lines, comments (";" or "#") and lines with neither "[...]" nor
    // "name=" are kept but not used.
    static Parsed parseLine(const QString &line);
    static QString leadingBlanks(const QString &line);
    bool isBlank(qsizetype i) const { return m_lines[i].text.trimmed().isEmpty(); }
    void insert(qsizetype at, const QStringList &texts);

    QList<Line> m_lines;
    QString m_newline = QStringLiteral("\n"); // as the file's first line ends
};
