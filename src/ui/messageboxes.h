#pragma once

#include "version.h"

#include <QString>

// The program's message boxes: always on top, always waited for, titled with
// the program's name and version.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    static QString title() { return QStringLiteral("Tolvane V" TOLVANE_VERSION); }

    // One OK button, the critical icon.
    virtual void critical(const QString &text) = 0;
    // Yes and No, Yes the default, the information icon. True for Yes.
    virtual bool askYesNo(const QString &text) = 0;
};
