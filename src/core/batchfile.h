#pragma once

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

    // Steps 1 to 4: drive, directory, program (with its parameters), file name.
    explicit BatchFile(std::array<QString, stepCount> steps);

    const QString &step(int number) const { return m_steps.at(number - 1); }

    // Why the answers cannot make a batch file, and where to point the user.
    struct Refusal
    {
        int step;
        QString message;
        qsizetype position = 0; // the offending character, in UTF-16 units
        qsizetype length = 0;
    };

    // The first empty step, in step order; once every step is answered, the
    // first character that no line of a batch file can hold. Blanks are
    // answers like any other text and pass unchanged.
    std::optional<Refusal> check() const;

    // Step 2, a backslash and step 4, joined exactly as they stand.
    QString targetPath() const;
    QStringList lines() const;
    // The lines in Windows-1252, each ended by CR LF; nothing when check()
    // refuses the answers.
    std::optional<QByteArray> bytes() const;

private:
    std::optional<Refusal> checkCharacters(int step) const;

    std::array<QString, stepCount> m_steps;
};
