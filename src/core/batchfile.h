#pragma once

#include "codepage.h"
#include "programkind.h"
#include "stepanswers.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The four answers of the main window and what they make: the seven lines of
// a batch file, their bytes and the path the file goes to. It touches neither
// the disk nor any window, so every rule about the answers lives here.
class BatchFile
{
    Q_DECLARE_TR_FUNCTIONS(BatchFile)

public:
    static constexpr int stepCount = 4;
    // Where the file's third line sends readers for their own copy.
    static QString homeHost() { return QStringLiteral("tolvane.org"); }

    // Steps 1 to 4: drive, directory, program (with its parameters), file name;
    // the file is written in the code page given, the user's own by default,
    // for the command interpreter that runs the kind of program given.
    explicit BatchFile(StepAnswers steps, CodePage codePage = CodePage::forUser(),
                       ProgramKind kind = ProgramKind::Windows);

    const QString &step(int number) const { return m_steps.at(number - 1); }

    // Why the answers cannot make a batch file, and where to point the user.
    struct Refusal
    {
        int step; // 1 to 4; 0 when no one step is at fault (the disk said no)
        QString message;
        qsizetype position = 0; // the offending character, in UTF-16 units
        qsizetype length = 0;
    };

    // The first empty step, in step order; once every step is answered, the
    // first character that no line of a batch file can hold, then a step 1
    // that is no drive and a step 2 that is no full path on it, then what the
    // command interpreter or Windows would not take as typed, and for a DOS
    // program a name DOS cannot use. Blanks are answers like any other text
    // and pass unchanged, but around the drive.
    std::optional<Refusal> check() const;

    // A program's file name as step 3 must hold it to run that program: in
    // quotes, with % doubled, when it holds a blank or a character the command
    // interpreter acts on; otherwise as it is.
    static QString programCommand(const QString &fileName);

    // Step 2, a backslash and step 4, joined exactly as they stand.
    QString targetPath() const;
    QStringList lines() const;
    // The lines in the code page, each ended by CR LF; nothing when check()
    // refuses the answers.
    std::optional<QByteArray> bytes() const;

    const CodePage &codePage() const { return m_codePage; }
    ProgramKind programKind() const { return m_kind; }

private:
    std::optional<Refusal> checkCharacters(int step, CodePage::Encoder &encoder) const;
    std::optional<Refusal> checkLineEnd(int step) const;
    std::optional<Refusal> checkFileName() const;
    std::optional<Refusal> checkPathLength() const;
    std::optional<Refusal> checkDrive() const;
    std::optional<Refusal> checkFolder() const;
    std::optional<Refusal> checkDosNames() const;
    std::optional<Refusal> checkDosNamesIn(int step, qsizetype from, qsizetype to) const;
    QString drive() const;
    QString cdLine() const;

    StepAnswers m_steps;
    CodePage m_codePage;
    ProgramKind m_kind;
};
