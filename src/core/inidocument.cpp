#include "inidocument.h"

#include "translator.h"

#include <QFile>
#include <QStringDecoder>

#include <sys/stat.h>

namespace {

constexpr Translator tr{"SettingsStore"};

// The file keeps a value on one line, trimmed of blanks around it. A value
// with blanks at either end, or one that is itself quoted, is written inside
// one more pair of quotes, which reading takes off again.
bool isQuoted(const QString &text)
{
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

QString encodeValue(const QString &value)
{
    const bool needsQuotes =
        isQuoted(value) ||
        (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

QString decodeValue(const QString &stored)
{
    return isQuoted(stored) ? stored.mid(1, stored.size() - 2) : stored;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

FileStamp FileStamp::of(const QString &path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {true, quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::optional<IniDocument> IniDocument::parse(const QByteArray &data, QString &why)
{
    if (const qsizetype nul = data.indexOf('\0'); nul >= 0) {
        why = tr("it holds a NUL byte at offset %1").arg(nul);
        return std::nullopt;
    }
    // A byte order mark stays, to be written back.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder(data);
    if (decoder.hasError()) {
        why = tr("it is not UTF-8 text");
        return std::nullopt;
    }
    IniDocument document;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        const bool crlf =
            c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n');
        document.m_lines.append(
            {text.mid(start, i - start), crlf ? QStringLiteral("\r\n") : QString(c)});
        if (document.m_lines.size() == 1 && crlf)
            document.m_newline = QStringLiteral("\r\n");
        i += crlf ? 1 : 0;
        start = i + 1;
    }
    if (start < text.size())
        document.m_lines.append({text.mid(start), {}});
    return document;
}

QByteArray IniDocument::serialize() const
{
    QString out;
    for (const Line &line : m_lines)
        out += line.text + line.end;
    return out.toUtf8();
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    std::optional<QString> found;
    QString current;
    for (const Line &line : m_lines) {
        const Parsed parsed = parseLine(line.text);
        if (parsed.kind == Kind::Section)
            current = parsed.name;
        else if (parsed.kind == Kind::Entry && sameName(current, section) &&
                 sameName(parsed.name, key))
            found = decodeValue(parsed.value); // the last one counts
    }
    return found;
}

void IniDocument::set(const QString &section, const QString &key, const QString &value)
{
    const QString text = key + QLatin1Char('=') + encodeValue(value);
    qsizetype lastHeader = -1, lastInBlock = -1, entry = -1;
    QString current;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Parsed parsed = parseLine(m_lines[i].text);
        if (parsed.kind == Kind::Section) {
            current = parsed.name;
            if (sameName(current, section))
                lastHeader = lastInBlock = i;
        } else if (parsed.kind == Kind::Entry && sameName(current, section)) {
            lastInBlock = i;
            if (sameName(parsed.name, key))
                entry = i;
        }
    }
    if (entry >= 0) {
        const Parsed parsed = parseLine(m_lines[entry].text);
        const QString &line = m_lines[entry].text;
        m_lines[entry].text =
            leadingBlanks(line) + parsed.name + QLatin1Char('=') + encodeValue(value);
        return;
    }
    if (lastHeader >= 0) {
        insert(lastInBlock + 1, {text});
        return;
    }
    // A new section stands two blank lines below what comes before it.
    QStringList added;
    qsizetype blanks = 0;
    while (blanks < m_lines.size() && isBlank(m_lines.size() - 1 - blanks))
        ++blanks;
    for (qsizetype i = blanks; !m_lines.isEmpty() && i < 2; ++i)
        added.append(QString());
    added.append(QLatin1Char('[') + section + QLatin1Char(']'));
    added.append(text);
    insert(m_lines.size(), added);
}

// what follows that (a comment about the next section) stays.
void IniDocument::removeSection(const QString &section)
{
    for (qsizetype header = m_lines.size() - 1; header >= 0; --header) {
        const Parsed parsed = parseLine(m_lines[header].text);
        if (parsed.kind != Kind::Section || !sameName(parsed.name, section))
            continue;
        qsizetype last = header;
        for (qsizetype i = header + 1; i < m_lines.size(); ++i) {
            const Kind kind = parseLine(m_lines[i].text).kind;
            if (kind == Kind::Section)
                break;
            if (kind == Kind::Entry)
                last = i;
        }
        qsizetype first = header;
        // The blank lines that set the block apart go with it.
        while (last + 1 < m_lines.size() && isBlank(last + 1))
            ++last;
        if (last + 1 == m_lines.size()) {
            while (first > 0 && isBlank(first - 1))
                --first;
            if (first > 0)
                m_lines[first - 1].end =
                    m_lines[last].end.isEmpty() ? QString() : m_lines[first - 1].end;
        }
        const bool markGoes = first == 0 && m_lines[0].text.startsWith(QChar(0xFEFF));
        m_lines.remove(first, last - first + 1);
        if (markGoes && !m_lines.isEmpty())
            m_lines[0].text.prepend(QChar(0xFEFF));
        header = first; // the lines from here on are gone; look on above them
    }
}

IniDocument::Parsed IniDocument::parseLine(const QString &line)
{
    QString text = line.trimmed();
    if (text.startsWith(QChar(0xFEFF))) // a byte order mark before the first line
        text = text.mid(1).trimmed();
    if (text.isEmpty() || text.front() == QLatin1Char(';') || text.front() == QLatin1Char('#'))
        return {};
    if (text.front() == QLatin1Char('[')) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return {};
        return {Kind::Section, text.mid(1, close - 1).trimmed(), {}};
    }
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    const QString name = text.left(equals).trimmed();
    if (equals <= 0 || name.isEmpty())
        return {};
    return {Kind::Entry, name, text.mid(equals + 1).trimmed()};
}

QString IniDocument::leadingBlanks(const QString &line)
{
    qsizetype n = 0;
    // Indentation, and a byte order mark the first line may start with.
    static const QString kept = QStringLiteral(" \t\uFEFF");
    while (n < line.size() && kept.contains(line.at(n)))
        ++n;
    return line.left(n);
}

void IniDocument::insert(qsizetype at, const QStringList &texts)
{
    if (at > 0 && m_lines[at - 1].end.isEmpty())
        m_lines[at - 1].end = m_newline;
    for (qsizetype i = 0; i < texts.size(); ++i)
        m_lines.insert(at + i, {texts[i], m_newline});
}
