#pragma once

#include "programkind.h"

#include <QString>

// A batch file the writer has just put on the disk, as the confirmation needs
// it to run the file or add it to the applications menu.
struct WrittenBatchFile
{
    QString dosPath;  // as the user typed it, stored and shown
    QString hostPath; // where it is on this machine
    ProgramKind kind = ProgramKind::Windows;
    QString programHostPath; // the program's own file; empty when it was not found
};
