#include "errortail.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int shownLines = 6;
constexpr int longestLine = 300;

// Debian's wine prints this whenever the 32-bit half is not installed,
// although 64-bit programs and batch files run without it.
bool isWine32Notice(const QString &line)
{
    static const QStringList notice{
        QStringLiteral("it looks like wine32 is missing, you should install it."),
        QStringLiteral("multiarch needs to be enabled first.  as root, please"),
        QStringLiteral("execute \"dpkg --add-architecture i386 && apt-get update &&"),
        QStringLiteral("apt-get install wine32:i386\"")};
    return notice.contains(line);
}

// Wine's "fixme" lines name parts of Windows it does not imitate in full, and
// the ALSA library's lines a sound device that is not there: neither stops a
// program.
bool isRoutineNotice(const QString &line)
{
    static const QRegularExpression fixme(QStringLiteral("^[0-9a-f]{4,}:fixme:"));
    return isWine32Notice(line) || fixme.match(line).hasMatch() ||
           line.startsWith(QLatin1StringView("ALSA lib "));
}

} // namespace

namespace ErrorTail {

QString of(QByteArrayView output)
{
    QStringList said;
    const QStringList lines = QString::fromLocal8Bit(output).split(u'\n');
    for (QString line : lines) {
        // Terminal control sequences would show as boxes in a message.
        static const QRegularExpression controls(QStringLiteral("[\\x00-\\x08\\x0b-\\x1f\\x7f]"));
        line = line.remove(controls).trimmed();
        if (line.isEmpty() || isRoutineNotice(line))
            continue;
        if (line.size() > longestLine)
            line = line.left(longestLine) + QStringLiteral("…");
        said.append(line);
    }
    return said.mid(std::max<qsizetype>(0, said.size() - shownLines)).join(u'\n');
}

} // namespace ErrorTail
