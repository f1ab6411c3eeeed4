#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringView>

#include <optional>

// The code page a command interpreter reads batch files in. The interpreter
// reads them in the OEM code page of the user's language, not the ANSI one, so
// a letter written in any other page sends it into a different folder or to no
// program at all. The tables are ICU's, through Qt's converters.
class CodePage
{
public:
    // A page ICU knows whose printable ASCII characters and tab are the same
    // bytes, so every fixed line of a batch file stays as it is; nothing for
    // any other number.
    static std::optional<CodePage> fromNumber(int number);
    // Like fromNumber(), from text as it stands in a settings file.
    static std::optional<CodePage> fromText(const QString &text);
    // The OEM page Wine's cmd takes for a locale name as setlocale() gives it
    // ("de_DE.UTF-8", "C", "sr_RS@latin").
    static int numberForLocale(QByteArrayView localeName);
    // The page for this process's character type locale.
    static CodePage forUser();

    int number() const { return m_number; }
    // ICU's name for it, for a QStringEncoder or QStringDecoder.
    const char *converterName() const { return m_converterName.constData(); }

    // Turns text into bytes of one page, refusing any character the page
    // cannot carry there and back unchanged: ICU writes a substitute (0x7F,
    // 0x1A, '?' or 0xFCFC) without saying so, and moves some control
    // characters. Where ICU's table parts from Windows's, Windows's counts.
    class Encoder
    {
    public:
        explicit Encoder(const CodePage &page);
        // The bytes of one character, or nothing when the page lacks it.
        std::optional<QByteArray> encode(char32_t character);
        // The whole text, or nothing when any character is missing.
        std::optional<QByteArray> encode(QStringView text);

    private:
        int m_page;
        QStringEncoder m_encoder;
        QStringDecoder m_decoder;
    };

    // The text that bytes of this page stand for.
    QString decode(QByteArrayView bytes) const;

private:
    CodePage(int number, QByteArray converterName);

    int m_number;
    QByteArray m_converterName;
};
