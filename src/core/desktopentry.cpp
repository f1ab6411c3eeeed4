#include "desktopentry.h"

#include "codepoints.h"
#include "dospath.h"
#include "hostname.h"
#include "runcommand.h"
#include "writtenbatchfile.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

// The menu shows the step-4 name without the extension every entry shares.
QString entryName(const QString &dosPath)
{
    const QString name = DosPath::lastPart(dosPath);
    const bool batch = name.endsWith(QLatin1StringView(".bat"), Qt::CaseInsensitive) ||
                       name.endsWith(QLatin1StringView(".cmd"), Qt::CaseInsensitive);
    return batch && name.size() > 4 ? name.chopped(4) : name;
}

// A command line splits at these, and a shell would read them, outside quotes.
bool needsQuotes(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    return argument.isEmpty() || std::any_of(argument.begin(), argument.end(),
                                             [](QChar c) { return reserved.contains(c); });
}

QString quoted(const QString &argument)
{
    if (!needsQuotes(argument))
        return argument;
    QString text = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            text += u'\\';
        text += c;
    }
    return text + u'"';
}

} // namespace

DesktopEntry::DesktopEntry(const WrittenBatchFile &file, const RunCommand &command,
                           const QString &iconPath)
    : m_name(entryName(file.dosPath)), m_comment(tr("Runs the batch file %1").arg(file.dosPath)),
      m_exec(commandLine(command.arguments())), m_folder(command.folder()), m_icon(iconPath)
{
    check(QStringLiteral("Name"), m_name);
    check(QStringLiteral("Comment"), m_comment);
    check(QStringLiteral("Exec"), m_exec);
    check(QStringLiteral("Path"), m_folder);
    check(QStringLiteral("Icon"), m_icon);
}

QString DesktopEntry::idFor(const QString &hostPath)
{
    const QByteArray place = HostName::toBytes(QFileInfo(hostPath).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(place, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("org.tolvane.Tolvane.Batch_") + QString::fromLatin1(hash.left(16));
}

// A key file is UTF-8 text in which only these control characters can be
// written, and only as escapes.
void DesktopEntry::check(const QString &key, const QString &value)
{
    if (!m_problem.isEmpty())
        return;
    if (HostName::hasRawBytes(value)) {
        m_problem = tr("The entry's %1 would be %2, which is not UTF-8 text.")
                        .arg(key, HostName::forDisplay(value));
        return;
    }
    for (const QChar c : value) {
        if ((c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c.unicode() == 0x7f) {
            m_problem = tr("The entry's %1 would hold the control character %2.")
                            .arg(key, CodePoints::name(c.unicode()));
            return;
        }
    }
}

QString DesktopEntry::commandLine(const QStringList &arguments)
{
    QStringList words;
    for (const QString &argument : arguments)
        words.append(quoted(argument).replace(u'%', QStringLiteral("%%")));
    return words.join(u' ');
}

QString DesktopEntry::escaped(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\')
            text += QStringLiteral("\\\\");
        else if (c == u'\n')
            text += QStringLiteral("\\n");
        else if (c == u'\t')
            text += QStringLiteral("\\t");
        else if (c == u'\r')
            text += QStringLiteral("\\r");
        else if (c == u' ' && (i == 0 || i == value.size() - 1)) // kept, not trimmed
            text += QStringLiteral("\\s");
        else
            text += c;
    }
    return text;
}

QByteArray DesktopEntry::text() const
{
    const QString lines[] = {
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Name=") + escaped(m_name),
        QStringLiteral("Comment=") + escaped(m_comment),
        QStringLiteral("Icon=") + escaped(m_icon),
        QStringLiteral("Exec=") + escaped(m_exec),
        QStringLiteral("Path=") + escaped(m_folder),
        QStringLiteral("Terminal=false"),
    };
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes;
}
