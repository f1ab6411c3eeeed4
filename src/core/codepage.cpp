#include "codepage.h"

#include <QChar>
#include <QList>

#include <algorithm>
#include <array>
#include <clocale>

namespace {

constexpr int defaultPage = 437;

struct LocalePage
{
    const char *locale; // a language, or a language and territory
    int page;
};

// The OEM code page Wine's cmd reads batch files in, by language and, where a
// territory departs from its language, by both; each was seen in Wine 8.0
// reading a file of every byte. A language not listed here is read as English
// (United States), as Wine reads it; where Windows has no OEM page of the
// language, Wine reads UTF-8.
constexpr std::array localePages{
    LocalePage{"en", 437},    LocalePage{"en_AU", 850}, LocalePage{"en_CA", 850},
    LocalePage{"en_GB", 850}, LocalePage{"en_IE", 850}, LocalePage{"en_NZ", 850},
    LocalePage{"af", 850},    LocalePage{"ca", 850},    LocalePage{"cy", 850},
    LocalePage{"da", 850},    LocalePage{"de", 850},    LocalePage{"es", 850},
    LocalePage{"eu", 850},    LocalePage{"fi", 850},    LocalePage{"fr", 850},
    LocalePage{"gl", 850},    LocalePage{"id", 850},    LocalePage{"is", 850},
    LocalePage{"it", 850},    LocalePage{"ms", 850},    LocalePage{"nb", 850},
    LocalePage{"nl", 850},    LocalePage{"nn", 850},    LocalePage{"pt", 850},
    LocalePage{"sv", 850},    LocalePage{"cs", 852},    LocalePage{"hr", 852},
    LocalePage{"hu", 852},    LocalePage{"pl", 852},    LocalePage{"ro", 852},
    LocalePage{"sk", 852},    LocalePage{"sl", 852},    LocalePage{"sq", 852},
    LocalePage{"tr", 857},    LocalePage{"be", 866},    LocalePage{"bg", 866},
    LocalePage{"ky", 866},    LocalePage{"mk", 866},    LocalePage{"mn", 866},
    LocalePage{"ru", 866},    LocalePage{"tt", 866},    LocalePage{"uk", 866},
    LocalePage{"el", 737},    LocalePage{"he", 862},    LocalePage{"ar", 720},
    LocalePage{"fa", 720},    LocalePage{"ur", 720},    LocalePage{"et", 775},
    LocalePage{"lt", 775},    LocalePage{"lv", 775},    LocalePage{"ja", 932},
    LocalePage{"ko", 949},    LocalePage{"zh", 936},    LocalePage{"zh_HK", 950},
    LocalePage{"zh_TW", 950}, LocalePage{"th", 874},    LocalePage{"vi", 1258},
    LocalePage{"bn", 65001},  LocalePage{"hi", 65001},  LocalePage{"hy", 65001},
    LocalePage{"ka", 65001},  LocalePage{"kk", 65001},  LocalePage{"ta", 65001},
};

// Where ICU's IBM tables part from the ones Windows and Wine read with: ICU
// gives 0xE6 to the Greek mu, Windows to the micro sign, so a Greek mu written
// there would name a different folder.
struct Difference
{
    int page;
    char byte;
    char16_t windows; // what the command interpreter reads the byte as
    char16_t icu;     // what ICU puts there, 0 for nothing
};
constexpr std::array differences{
    Difference{437, '\xE6', u'\u00B5', u'\u03BC'},
    Difference{862, '\xE6', u'\u00B5', u'\u03BC'},
    Difference{852, '\xAA', u'\u00AC', 0},
};

std::optional<int> pageOf(QByteArrayView locale)
{
    for (const LocalePage &entry : localePages) {
        if (locale == QByteArrayView(entry.locale))
            return entry.page;
    }
    return std::nullopt;
}

// The pages below 874 are IBM's; the others are Microsoft's own, which ICU
// names after Windows.
QByteArray converterNameFor(int number)
{
    return (number < 874 ? QByteArrayLiteral("IBM") : QByteArrayLiteral("windows-")) +
           QByteArray::number(number);
}

bool isAscii(char32_t character)
{
    return character < 0x80;
}

} // namespace

CodePage::CodePage(int number, QByteArray converterName)
    : m_number(number), m_converterName(std::move(converterName))
{}

std::optional<CodePage> CodePage::fromNumber(int number)
{
    if (number <= 0 || number > 65535)
        return std::nullopt;
    const CodePage page(number, converterNameFor(number));
    QStringEncoder encoder(page.converterName(), QStringConverter::Flag::Stateless);
    QStringDecoder decoder(page.converterName(), QStringConverter::Flag::Stateless);
    if (!encoder.isValid() || !decoder.isValid())
        return std::nullopt;
    QString ascii(QStringLiteral("\t"));
    QByteArray bytes("\t");
    for (char character = ' '; character < 0x7F; ++character) {
        ascii += QLatin1Char(character);
        bytes += character;
    }
    if (QByteArray(encoder.encode(ascii)) != bytes || QString(decoder.decode(bytes)) != ascii)
        return std::nullopt;
    return page;
}

std::optional<CodePage> CodePage::fromText(const QString &text)
{
    bool isNumber = false;
    const int number = text.trimmed().toInt(&isNumber);
    return isNumber ? fromNumber(number) : std::nullopt;
}

int CodePage::numberForLocale(QByteArrayView localeName)
{
    // language[_territory][.charset][@modifier]; "C" and "POSIX" are no
    // language of the table, so they read as English (United States).
    qsizetype end = localeName.size();
    for (const char mark : {'.', '@'}) {
        if (const qsizetype at = localeName.indexOf(mark); at >= 0 && at < end)
            end = at;
    }
    const QByteArrayView name = localeName.first(end);
    const qsizetype underscore = name.indexOf('_');
    if (const auto page = pageOf(name))
        return *page;
    if (const auto page = pageOf(underscore < 0 ? name : name.first(underscore)))
        return *page;
    return defaultPage;
}

CodePage CodePage::forUser()
{
    const char *locale = std::setlocale(LC_CTYPE, nullptr);
    if (const auto page = fromNumber(numberForLocale(locale ? locale : "C")))
        return *page;
    return CodePage(defaultPage, converterNameFor(defaultPage));
}

QString CodePage::decode(QByteArrayView bytes) const
{
    QStringDecoder decoder(converterName(), QStringConverter::Flag::Stateless);
    const bool differs = std::any_of(differences.cbegin(), differences.cend(),
                                     [this](const Difference &d) { return d.page == m_number; });
    if (!differs)
        return decoder.decode(bytes);
    // Only single-byte pages differ, so each byte is a character of its own.
    QString text;
    for (const char byte : bytes) {
        const auto difference =
            std::find_if(differences.cbegin(), differences.cend(),
                         [&](const Difference &d) { return d.page == m_number && d.byte == byte; });
        if (difference != differences.cend())
            text += QChar(difference->windows);
        else
            text += decoder.decode(QByteArrayView(&byte, 1));
    }
    return text;
}

CodePage::Encoder::Encoder(const CodePage &page)
    : m_page(page.number()), m_encoder(page.converterName(), QStringConverter::Flag::Stateless),
      m_decoder(page.converterName(), QStringConverter::Flag::Stateless)
{}

std::optional<QByteArray> CodePage::Encoder::encode(char32_t character)
{
    // Every page this class accepts keeps ASCII as it is; the control
    // characters ICU moves never reach here from a batch file's lines.
    if (isAscii(character))
        return QByteArray(1, char(character));
    if (QChar::isSurrogate(character) || character > QChar::LastValidCodePoint)
        return std::nullopt;
    // ICU fills some of a page's holes with private characters; Windows does not.
    if (QChar::category(character) == QChar::Other_PrivateUse)
        return std::nullopt;
    for (const Difference &difference : differences) {
        if (difference.page != m_page)
            continue;
        if (character == difference.windows)
            return QByteArray(1, difference.byte);
        if (character == difference.icu)
            return std::nullopt;
    }
    const QString text = QString::fromUcs4(&character, 1);
    const QByteArray bytes = m_encoder.encode(text);
    // The round trip is the only test: an ICU converter's error count only
    // grows, and resetting its state would close the converter itself.
    if (bytes.isEmpty() || QString(m_decoder.decode(bytes)) != text)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> CodePage::Encoder::encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t character : text.toUcs4()) {
        const auto encoded = encode(character);
        if (!encoded)
            return std::nullopt;
        bytes += *encoded;
    }
    return bytes;
}
