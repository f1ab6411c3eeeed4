#pragma once

#include <QString>

#include <array>

// The main window's four answers, steps 1 to 4 at indexes 0 to 3: the drive,
// the folder, the program with its parameters, and the batch file's name.
using StepAnswers = std::array<QString, 4>;
