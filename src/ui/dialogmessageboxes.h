#pragma once

#include "messageboxes.h"

// The real message boxes, on the screen and waited for.
class DialogMessageBoxes : public MessageBoxes
{
public:
    void critical(const QString &text) override;
    bool askYesNo(const QString &text) override;
};
