#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The ANSI code page of the batch files' world. Qt itself has no such codec
// without ICU, and a silent '?' for a character that does not fit would write
// a different command than the one the user typed, so this one refuses.
class Windows1252
{
public:
    // The byte that stands for the character, or nothing when there is none.
    static std::optional<char> encode(char32_t character);
    // The whole text, or nothing when any character has no byte.
    static std::optional<QByteArray> encode(const QString &text);
    // The character a byte stands for; nothing for the five unassigned bytes.
    static std::optional<char32_t> decode(char byte);
};
