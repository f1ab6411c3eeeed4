#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class DriveMap;
struct WrittenBatchFile;

// The command that runs a batch file just written, the way its program needs
// it: a Windows program's through Wine, in the Wine prefix whose drives the
// file names; a DOS program's in DOSBox, with the file's drive mounted on the
// folder the drive map gives it. It holds the interpreter, its options and the
// batch file's path, never a word of what the file itself runs.
class RunCommand
{
    Q_DECLARE_TR_FUNCTIONS(RunCommand)

public:
    static RunCommand forFile(const WrittenBatchFile &file, const DriveMap &drives);

    // Why the file cannot be run this way, in plain words; empty when it can.
    const QString &problem() const { return m_problem; }
    bool ok() const { return m_problem.isEmpty() && !m_arguments.isEmpty(); }
    // The program, then its arguments.
    const QStringList &arguments() const { return m_arguments; }
    // The batch file's own folder, where it starts.
    const QString &folder() const { return m_folder; }
    // "Wine" or "DOSBox", for messages.
    const QString &interpreter() const { return m_interpreter; }

private:
    static RunCommand refused(QString problem);
    static RunCommand forWine(const WrittenBatchFile &file, const DriveMap &drives);
    static RunCommand forDosBox(const WrittenBatchFile &file, const DriveMap &drives);

    QString m_problem;
    QStringList m_arguments;
    QString m_folder;
    QString m_interpreter;
};
