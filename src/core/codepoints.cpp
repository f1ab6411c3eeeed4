#include "codepoints.h"

namespace CodePoints {

QString name(char32_t character)
{
    return QStringLiteral("U+%1").arg(quint32(character), 4, 16, QLatin1Char('0')).toUpper();
}

At at(const QString &text, qsizetype index)
{
    const QChar first = text.at(index);
    if (first.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate())
        return {QChar::surrogateToUcs4(first, text.at(index + 1)), 2};
    return {first.unicode(), 1};
}

} // namespace CodePoints
