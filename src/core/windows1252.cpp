#include "windows1252.h"

#include <QList>
#include <QStringView>

#include <array>

namespace {

// 0x80 to 0x9F, where Windows-1252 departs from Latin-1; 0 marks the five
// bytes that stand for nothing.
constexpr std::array<char16_t, 32> highTable{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 0x98
};

} // namespace

std::optional<char> Windows1252::encode(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (std::size_t i = 0; i < highTable.size(); ++i) {
        if (highTable[i] != 0 && highTable[i] == character)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<QByteArray> Windows1252::encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const uint character : QStringView(text).toUcs4()) {
        const auto byte = encode(character);
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

std::optional<char32_t> Windows1252::decode(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x80 || value >= 0xA0)
        return value;
    if (const char16_t character = highTable[value - 0x80])
        return character;
    return std::nullopt;
}
