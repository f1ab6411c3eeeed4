#pragma once

#include <QString>

// Text from outside (typed, stored, named by the system) may hold characters
// that are invisible yet change how the rest is drawn: a right-to-left
// override mirrors everything after it. Before such text is shown in a
// message, each of them is written out as U+XXXX instead; every visible
// character stays as it is.
namespace InvisibleCharacters {

bool isInvisible(char32_t character);
QString revealed(const QString &text);

} // namespace InvisibleCharacters
