#include "invisiblecharacters.h"

#include "codepoints.h"

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
        const auto [character, units] = CodePoints::at(text, i);
        if (isInvisible(character))
            result += CodePoints::name(character);
        else
            result += QStringView(text).mid(i, units);
        i += units;
    }
    return result;
}
