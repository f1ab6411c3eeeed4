#pragma once

#include "version.h"

#include <QString>

// The program's message boxes: always on top, always waited for, titled with
// the program's name and version.
class MessageBoxes
{
public:
    // Windows message-box style values, kept for their meaning: system-modal
    // plus critical icon, and system-modal plus information icon plus Yes/No.
    static constexpr int CriticalStyle = 4112;
    static constexpr int QuestionStyle = 4164;

    virtual ~MessageBoxes() = default;

    static QString title() { return QStringLiteral("Tolvane V" TOLVANE_VERSION); }

    // One OK button, the critical icon.
    virtual void critical(const QString &text) = 0;
    // Yes and No, Yes the default, the information icon. True for Yes.
    virtual bool askYesNo(const QString &text) = 0;
};
