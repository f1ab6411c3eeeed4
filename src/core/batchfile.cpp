#include "batchfile.h"

#include "windows1252.h"

#include <QChar>

namespace {

bool isLineBreak(char32_t character)
{
    switch (character) {
    case U'\n':
    case U'\v':
    case U'\f':
    case U'\r':
    case 0x85:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// A tab is at home in a command line; the other C0 controls (a NUL above all)
// would cut or garble the line when the command interpreter reads it.
bool isControl(char32_t character)
{
    return character < 0x20 && character != U'\t';
}

QString codePoint(char32_t character)
{
    return QStringLiteral("U+%1")
        .arg(static_cast<uint>(character), 4, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

BatchFile::BatchFile(std::array<QString, stepCount> steps) : m_steps(std::move(steps)) {}

std::optional<BatchFile::Refusal> BatchFile::check() const
{
    for (int number = 1; number <= stepCount; ++number) {
        if (step(number).isEmpty())
            return Refusal{number, tr("Please enter a response for Step %1").arg(number)};
    }
    for (int number = 1; number <= stepCount; ++number) {
        if (auto refusal = checkCharacters(number))
            return refusal;
    }
    return std::nullopt;
}

std::optional<BatchFile::Refusal> BatchFile::checkCharacters(int number) const
{
    const QString &text = step(number);
    for (qsizetype i = 0; i < text.size();) {
        char32_t character = text.at(i).unicode();
        qsizetype length = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            length = 2;
        }
        QString message;
        if (isLineBreak(character)) {
            message = tr("Step %1 holds a line break. Each step must stay on one line of the "
                         "batch file; please remove the line break.")
                          .arg(number);
        } else if (isControl(character)) {
            message = tr("Step %1 holds the control character %2, which a batch file cannot "
                         "hold. Please remove it.")
                          .arg(number)
                          .arg(codePoint(character));
        } else if (!Windows1252::encode(character)) {
            // A lone surrogate half is no character that could be shown.
            const QString shown = QChar::isSurrogate(character) ? QString() : text.mid(i, length);
            message = tr("Step %1 holds the character \"%2\" (%3), which the batch file's "
                         "character set, Windows-1252, cannot hold. Please remove or replace it.")
                          .arg(number)
                          .arg(shown, codePoint(character));
        }
        if (!message.isEmpty())
            return Refusal{number, message, i, length};
        i += length;
    }
    return std::nullopt;
}

QString BatchFile::targetPath() const
{
    return step(2) + QLatin1Char('\\') + step(4);
}

QStringList BatchFile::lines() const
{
    return {
        QStringLiteral("@echo off"),
        QStringLiteral("rem This batch file was created using Tolvane!"),
        QStringLiteral("rem You can get your own copy at ") + homeHost(),
        step(1),
        QStringLiteral("cd ") + step(2),
        step(3),
        QStringLiteral("exit"),
    };
}

std::optional<QByteArray> BatchFile::bytes() const
{
    if (check())
        return std::nullopt;
    QByteArray bytes;
    for (const QString &line : lines()) {
        const auto encoded = Windows1252::encode(line);
        if (!encoded)
            return std::nullopt;
        bytes += *encoded + QByteArrayLiteral("\r\n");
    }
    return bytes;
}
