#pragma once

#include "programkind.h"

#include <QString>

class DriveMap;

// The program that step 3 starts, as found in the step-2 folder: which
// command interpreter its batch file is for, and where its file lies. A
// program is a DOS program when its file is a DOS executable; anything else,
// a program not found included, keeps the rules of Windows' cmd.
class ProgramFile
{
public:
    // Looks for the program that `command` names (step 3) in `dosFolder`
    // (step 2) through the drive map. A name without an extension is tried
    // as .COM, .EXE and .BAT, in that order, as COMMAND.COM tries it.
    ProgramFile(const DriveMap &drives, const QString &dosFolder, const QString &command);

    ProgramKind kind() const { return m_kind; }
    // The program's file on this system; empty when it was not found.
    const QString &hostPath() const { return m_hostPath; }

    // The program's name in a command line: its quoted part, or its first
    // word; where it starts in the command and how long it is there.
    struct Name
    {
        QString text;
        qsizetype position = 0;
        qsizetype length = 0;
    };
    static Name nameIn(const QString &command);

    // What the file's own first bytes say: an MZ executable without a PE or
    // NE header, or a .COM file that is none, is a DOS program. Only a plain
    // file is opened, and only a few bytes are read.
    static ProgramKind kindOf(const QString &hostPath);

private:
    QString m_hostPath;
    ProgramKind m_kind = ProgramKind::Windows;
};
