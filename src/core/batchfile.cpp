#include "batchfile.h"

#include "codepoints.h"

#include <QChar>

#include <algorithm>

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

// A tab is at home in a command line; the other C0 controls (a NUL above all),
// DEL and the C1 controls would cut or garble the line when the command
// interpreter reads it.
bool isControl(char32_t character)
{
    return (character < 0x20 && character != U'\t') || (character >= 0x7F && character < 0xA0);
}

// Windows takes the longest path to be one character shorter than this.
constexpr qsizetype longPath = 260;

// The characters the command interpreter acts on in a plain command line.
bool holdsCommandCharacter(const QString &text)
{
    static const QString special = QStringLiteral("&|<>^%");
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar character) { return special.contains(character); });
}

// Quotes keep & | < > ^ and blanks from acting, and a doubled % stands for
// itself, so the command interpreter reads the text as it is.
QString quotedLiterally(const QString &text)
{
    QString literal = text;
    literal.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + literal + QLatin1Char('"');
}

// The last part of a path as typed, after its last backslash or slash.
QString lastPart(const QString &path)
{
    const qsizetype separator =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(separator + 1);
}

} // namespace

BatchFile::BatchFile(StepAnswers steps, CodePage codePage)
    : m_steps(std::move(steps)), m_codePage(std::move(codePage))
{}

std::optional<BatchFile::Refusal> BatchFile::check() const
{
    for (int number = 1; number <= stepCount; ++number) {
        if (step(number).isEmpty())
            return Refusal{number, tr("Please enter a response for Step %1").arg(number)};
    }
    CodePage::Encoder encoder(m_codePage);
    for (int number = 1; number <= stepCount; ++number) {
        if (auto refusal = checkCharacters(number, encoder))
            return refusal;
    }
    for (int number = 1; number < stepCount; ++number) {
        if (auto refusal = checkLineEnd(number))
            return refusal;
    }
    if (auto refusal = checkFileName())
        return refusal;
    return checkPathLength();
}

std::optional<BatchFile::Refusal> BatchFile::checkCharacters(int number,
                                                             CodePage::Encoder &encoder) const
{
    const QString &text = step(number);
    for (qsizetype i = 0; i < text.size();) {
        const auto [character, length] = CodePoints::at(text, i);
        QString message;
        if (isLineBreak(character)) {
            message = tr("Step %1 holds a line break. Each step must stay on one line of the "
                         "batch file; please remove the line break.")
                          .arg(number);
        } else if (isControl(character)) {
            message = tr("Step %1 holds the control character %2, which a batch file cannot "
                         "hold. Please remove it.")
                          .arg(number)
                          .arg(CodePoints::name(character));
        } else if (!encoder.encode(character)) {
            // A lone surrogate half is no character that could be shown.
            const QString shown = QChar::isSurrogate(character) ? QString() : text.mid(i, length);
            message = tr("Step %1 holds the character \"%2\" (%3), which the batch file's "
                         "character set, code page %4, cannot hold. Please remove or replace it.")
                          .arg(number)
                          .arg(shown, CodePoints::name(character))
                          .arg(m_codePage.number());
        }
        if (!message.isEmpty())
            return Refusal{number, message, i, length};
        i += length;
    }
    return std::nullopt;
}

// A caret at the end of a line makes the command interpreter read the next
// line of the file as part of this one; two carets stand for one caret.
std::optional<BatchFile::Refusal> BatchFile::checkLineEnd(int number) const
{
    const QString &text = step(number);
    qsizetype carets = 0;
    while (carets < text.size() && text.at(text.size() - 1 - carets) == QLatin1Char('^'))
        ++carets;
    if (carets % 2 == 0)
        return std::nullopt;
    return Refusal{number,
                   tr("Step %1 ends in a caret (^), which would join the next line of the batch "
                      "file to this one. Please remove the caret.")
                       .arg(number),
                   text.size() - 1, 1};
}

// Windows drops blanks and dots from the end of a file name, so the file
// made would not be the one named. "." and ".." name folders, which the
// saver tells.
std::optional<BatchFile::Refusal> BatchFile::checkFileName() const
{
    const QString name = lastPart(step(4));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return std::nullopt;
    const auto blankOrDot = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('.'); };
    if (!blankOrDot(name.back()))
        return std::nullopt;
    const qsizetype end = step(4).size();
    if (std::all_of(name.cbegin(), name.cend(), blankOrDot))
        return Refusal{4,
                       tr("Step 4 is made only of blanks and dots, which Windows drops from a "
                          "file name. Please enter a file name."),
                       end - name.size(), name.size()};
    return Refusal{4,
                   tr("Step 4 ends in a blank or a dot, which Windows drops from a file name. "
                      "Please remove it."),
                   end - 1, 1};
}

std::optional<BatchFile::Refusal> BatchFile::checkPathLength() const
{
    const qsizetype length = targetPath().size();
    if (length < longPath)
        return std::nullopt;
    const int number = step(2).size() >= step(4).size() ? 2 : 4;
    return Refusal{number,
                   tr("Step %1 makes the batch file's path (step 2, a backslash and step 4) %2 "
                      "characters long; Windows takes at most %3. Please shorten it.")
                       .arg(number)
                       .arg(length)
                       .arg(longPath - 1),
                   0, step(number).size()};
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
        cdLine(),
        step(3),
        QStringLiteral("exit"),
    };
}

QString BatchFile::programCommand(const QString &fileName)
{
    if (!fileName.contains(QLatin1Char(' ')) && !holdsCommandCharacter(fileName))
        return fileName;
    return quotedLiterally(fileName);
}

// A folder with none of those characters is written as typed, as it always was.
QString BatchFile::cdLine() const
{
    const QString &folder = step(2);
    return QStringLiteral("cd ") +
           (holdsCommandCharacter(folder) ? quotedLiterally(folder) : folder);
}

std::optional<QByteArray> BatchFile::bytes() const
{
    if (check())
        return std::nullopt;
    CodePage::Encoder encoder(m_codePage);
    QByteArray bytes;
    for (const QString &line : lines()) {
        const auto encoded = encoder.encode(line);
        if (!encoded)
            return std::nullopt;
        bytes += *encoded + QByteArrayLiteral("\r\n");
    }
    return bytes;
}
