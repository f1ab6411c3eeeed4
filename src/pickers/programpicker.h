#pragma once

#include "pickerwindow.h"
#include "ui/windowkind.h"

class FileList;
class QLabel;

// The program file picker: fills step 3 of the main window with the bare
// name of a file picked from a folder's list or typed; the text typed is at
// once the list's filter.
class ProgramPicker : public PickerWindow
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::ProgramPicker;

    explicit ProgramPicker(Forms &forms);

    FileList *fileList() const { return m_fileList; }
    QLabel *searchedFolderLabel() const { return m_searchedFolderLabel; }

protected:
    void loadHandling() override;

private:
    void buildLabels();
    void okClicked();

    FileList *m_fileList;
    QLabel *m_searchedFolderLabel = nullptr;
    QString m_pickedName; // the last name taken from the file list
};
