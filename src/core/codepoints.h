#pragma once

#include <QString>

// Characters as messages name them, and as text holds them in UTF-16.
namespace CodePoints {

// "U+00E9": how a message names a character that may not show as itself.
QString name(char32_t character);

// The character that starts at `index` and how many UTF-16 units it takes; a
// surrogate half without its partner is a character of one unit.
struct At
{
    char32_t character;
    qsizetype units;
};
At at(const QString &text, qsizetype index);

} // namespace CodePoints
