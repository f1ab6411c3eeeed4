#include "batchfile.h"

#include "codepoints.h"
#include "dosname.h"
#include "dospath.h"
#include "programfile.h"

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

bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

bool isDriveLetter(QChar c)
{
    return c.unicode() < 0x80 && c.isLetter();
}

} // namespace

BatchFile::BatchFile(StepAnswers steps, CodePage codePage, ProgramKind kind)
    : m_steps(std::move(steps)), m_codePage(std::move(codePage)), m_kind(kind)
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
    for (const auto &rule : {&BatchFile::checkDrive, &BatchFile::checkFolder,
                             &BatchFile::checkFileName, &BatchFile::checkDosNames}) {
        if (auto refusal = (this->*rule)())
            return refusal;
    }
    return checkPathLength();
}

// The file changes to the drive of step 1, so that must be a drive and
// nothing else; blanks around it are dropped.
std::optional<BatchFile::Refusal> BatchFile::checkDrive() const
{
    const QString text = drive();
    if (text.size() == 2 && isDriveLetter(text.at(0)) && text.at(1) == QLatin1Char(':'))
        return std::nullopt;
    return Refusal{1,
                   tr("Step 1 is not a drive. Please enter the letter of the drive the program "
                      "is on and a colon, such as c:."),
                   0, step(1).size()};
}

// cd changes the folder of a drive, not the drive itself, and a path without
// a drive is read from wherever the file is started: step 2 must be a whole
// path on the drive of step 1, made of names a folder can have.
std::optional<BatchFile::Refusal> BatchFile::checkFolder() const
{
    const QString &folder = step(2);
    const QString drive = this->drive();
    if (folder.size() >= 2 && isSeparator(folder.at(0)) && isSeparator(folder.at(1)))
        return Refusal{2,
                       tr("Step 2 is a network path; network paths (\\\\server\\share) cannot "
                          "be used. Please enter a folder on drive %1, such as %1\\games.")
                           .arg(drive),
                       0, 2};
    const bool hasDrive =
        folder.size() >= 2 && isDriveLetter(folder.at(0)) && folder.at(1) == QLatin1Char(':');
    if (hasDrive && folder.at(0).toLower() != drive.at(0).toLower())
        return Refusal{2,
                       tr("Step 2 is on drive %1, but step 1 is drive %2, and cd does not change "
                          "drives: the program would not be found. Please enter a folder on "
                          "drive %2, or change step 1 to %1.")
                           .arg(folder.left(2), drive),
                       0, 2};
    if (!hasDrive || folder.size() < 3 || !isSeparator(folder.at(2)))
        return Refusal{2,
                       tr("Step 2 is not the whole path of a folder: it must start with the drive "
                          "of step 1 and a backslash, such as %1\\games, or the batch file would "
                          "look for the program in another folder. Please enter the whole path.")
                           .arg(drive),
                       0, folder.size()};
    static const QString reserved = QStringLiteral("<>\"|?*:");
    for (qsizetype i = 2; i < folder.size(); ++i) {
        if (reserved.contains(folder.at(i)))
            return Refusal{2,
                           tr("Step 2 holds the character \"%1\", which a folder name cannot "
                              "hold. Please remove it.")
                               .arg(folder.at(i)),
                           i, 1};
    }
    return std::nullopt;
}

// DOS reads the batch file in COMMAND.COM, which knows no quotes and no long
// names: every name the file holds must be one DOS can type.
std::optional<BatchFile::Refusal> BatchFile::checkDosNames() const
{
    if (m_kind != ProgramKind::Dos)
        return std::nullopt;
    if (auto refusal = checkDosNamesIn(2, 2, step(2).size()))
        return refusal;
    const ProgramFile::Name program = ProgramFile::nameIn(step(3));
    if (program.position > 0 && step(3).at(program.position - 1) == QLatin1Char('"'))
        return Refusal{3,
                       tr("Step 3 puts the program's name in quotes, which DOS does not know. "
                          "Please remove the quotes."),
                       program.position - 1, 1};
    const bool hasDrive = program.text.size() >= 2 && program.text.at(1) == QLatin1Char(':');
    if (auto refusal = checkDosNamesIn(3, program.position + (hasDrive ? 2 : 0),
                                       program.position + program.length))
        return refusal;
    return checkDosNamesIn(4, 0, step(4).size());
}

// Each name between backslashes in that part of the step.
std::optional<BatchFile::Refusal> BatchFile::checkDosNamesIn(int number, qsizetype from,
                                                             qsizetype to) const
{
    const QString &text = step(number);
    for (qsizetype start = from; start < to;) {
        qsizetype end = text.indexOf(QLatin1Char('\\'), start);
        if (end < 0 || end > to)
            end = to;
        const QString name = text.mid(start, end - start);
        const QString problem = name.isEmpty() ? QString() : DosName::problem(name);
        if (!problem.isEmpty()) {
            const QString hint = number == 2   ? tr("rename the folder, or pick a folder with a "
                                                      "short name")
                                 : number == 3 ? tr("rename the program, or use its short name")
                                               : tr("choose a short name, such as GAME.BAT");
            return Refusal{number,
                           tr("Step %1 holds the name \"%2\", which DOS cannot use: %3. The "
                              "program is a DOS program, and DOS takes names of at most 8 "
                              "characters, an optional dot and at most 3 more, in plain ASCII. "
                              "Please %4.")
                               .arg(number)
                               .arg(name, problem, hint),
                           start, name.size()};
        }
        start = end + 1;
    }
    return std::nullopt;
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
    const QString name = DosPath::lastPart(step(4));
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
        drive(),
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

QString BatchFile::drive() const
{
    return step(1).trimmed();
}

// A folder with none of those characters is written as typed, as it always
// was. COMMAND.COM takes quotes for part of the name and acts on none of
// those characters but %.
QString BatchFile::cdLine() const
{
    const QString &folder = step(2);
    if (m_kind == ProgramKind::Dos)
        return QStringLiteral("cd ") + QString(folder).replace(u'%', QStringLiteral("%%"));
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
