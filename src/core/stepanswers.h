#pragma once

#include <QString>

#include <array>

// The main window's four answers, steps 1 to 4 at indexes 0 to 3: the drive,
// the folder, the program with its parameters, and the batch file's name.
using StepAnswers = std::array<QString, 4>;

// The Windows command interpreter reads at most this many characters of a
// line, so no answer that works is longer. A text box holding more would
// also cost the window a long pause at every paint.
constexpr int longestAnswer = 8191;
