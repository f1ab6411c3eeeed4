#pragma once

#include "pickerwindow.h"
#include "ui/windowkind.h"

// The directory picker: fills step 2 of the main window by browsing drives
// and folders or by typing a path.
class DirectoryPicker : public PickerWindow
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::DirectoryPicker;

    explicit DirectoryPicker(Forms &forms);

private:
    void okClicked();
};
