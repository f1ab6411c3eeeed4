#pragma once

// Which command interpreter a batch file is for: Windows' cmd (Windows
// itself, or Wine), or DOS's COMMAND.COM (DOSBox, FreeDOS), which knows no
// quotes and no long names.
enum class ProgramKind {
    Windows,
    Dos,
};
