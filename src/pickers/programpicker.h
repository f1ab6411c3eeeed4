#pragma once

#include "ui/form.h"
#include "ui/windowkind.h"

#include <QWidget>

class DirList;
class DriveList;
class FileList;
class QLabel;
class QLineEdit;
class QPushButton;
class StatusLine;

// The program file picker: fills step 3 of the main window with the bare
// name of a file picked from a folder's list or typed; the text typed is at
// once the list's filter.
class ProgramPicker : public QWidget, public Form
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::ProgramPicker;

    explicit ProgramPicker(Forms &forms);

    DriveList *driveListBox() const { return m_driveListBox; }
    DirList *dirListBox() const { return m_dirListBox; }
    QLineEdit *txtFilename() const { return m_txtFilename; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    FileList *fileListBox() const { return m_fileListBox; }
    QLabel *lblDirectorySearch() const { return m_lblDirectorySearch; }
    StatusLine *lblStatus() const { return m_lblStatus; }

protected:
    void loadHandling() override;

private:
    void buildLabels();
    void okClicked();

    DriveList *m_driveListBox;
    DirList *m_dirListBox;
    QLineEdit *m_txtFilename;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    FileList *m_fileListBox;
    QLabel *m_lblDirectorySearch = nullptr;
    StatusLine *m_lblStatus;
    QString m_pickedName; // the last name taken from the file list
};
