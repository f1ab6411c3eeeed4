#pragma once

#include <QString>

// The names DOS itself can hold (DOSBox, FreeDOS): at most 8 characters, an
// optional dot and at most 3 more, printable ASCII only. DOSBox sees a Linux
// name's UTF-8 bytes, not its letters, and COMMAND.COM knows no quotes, so a
// longer name or a blank cannot be typed there at all.
namespace DosName {

// Why `name` is no DOS name, in words that follow "which DOS cannot use:";
// empty when it is one. "." and ".." are names of folders DOS knows.
QString problem(const QString &name);

} // namespace DosName
