#pragma once

#include <QRegularExpression>
#include <QString>

#include <optional>

// The entries the churning writer rewrites, and how a test recognises one of
// its values. Each value carries its round, its pass and its entry, padded
// with a letter that depends on all three, so a value cut short or spliced
// from two writes does not read as a whole one.
namespace ChurnEntries {

inline constexpr int count = 8;
inline constexpr int padding = 160;

inline QString section(int k)
{
    // Three sections, one of them with a slash as the program's own has.
    static const char *const names[] = {"Settings", "Path/Filename", "TrayIconSettings"};
    return QString::fromLatin1(names[k % 3]);
}

inline QString key(int k)
{
    return QStringLiteral("Key%1").arg(k);
}

inline QChar fill(int round, int n, int k)
{
    return QLatin1Char(char('a' + (round * 7 + n * 3 + k) % 26));
}

inline QString value(int round, int n, int k)
{
    return QStringLiteral("r%1n%2k%3:").arg(round).arg(n).arg(k) +
           QString(padding, fill(round, n, k));
}

struct Parsed
{
    int round;
    int n;
    int k;
};

// The round, pass and entry of a whole value, or nothing for anything else.
inline std::optional<Parsed> parse(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^r(\\d+)n(\\d+)k(\\d+):(.*)$"));
    const auto match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const Parsed p{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
    if (text != value(p.round, p.n, p.k))
        return std::nullopt;
    return p;
}

} // namespace ChurnEntries
