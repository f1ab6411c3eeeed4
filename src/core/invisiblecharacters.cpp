#include "invisiblecharacters.h"

bool InvisibleCharacters::isInvisible(char32_t character)
{
    switch (QChar::category(character)) {
    case QChar::Other_Format:   // bidi controls, joiners, soft hyphen, tags
    case QChar::Separator_Line: // U+2028 and U+2029 would break the line
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString InvisibleCharacters::revealed(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        char32_t character = text.at(i).unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(character) && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            units = 2;
        }
        if (isInvisible(character))
            result +=
                QStringLiteral("U+%1").arg(quint32(character), 4, 16, QLatin1Char('0')).toUpper();
        else
            result += QStringView(text).mid(i, units);
        i += units;
    }
    return result;
}
