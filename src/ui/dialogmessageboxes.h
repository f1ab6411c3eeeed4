#pragma once

#include "messageboxes.h"

// Message boxes shown with QMessageBox.
class DialogMessageBoxes : public MessageBoxes
{
public:
    void critical(const QString &text) override;
    bool askYesNo(const QString &text) override;
};
