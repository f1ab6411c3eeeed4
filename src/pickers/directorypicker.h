#pragma once

#include "ui/form.h"
#include "ui/windowkind.h"

#include <QWidget>

class DirList;
class DriveList;
class QLineEdit;
class QPushButton;
class StatusLine;

// The directory picker: fills step 2 of the main window by browsing drives
// and folders or by typing a path.
class DirectoryPicker : public QWidget, public Form
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::DirectoryPicker;

    explicit DirectoryPicker(Forms &forms);

    DriveList *driveListBox() const { return m_driveListBox; }
    DirList *dirListBox() const { return m_dirListBox; }
    QLineEdit *txtFilename() const { return m_txtFilename; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    StatusLine *lblStatus() const { return m_lblStatus; }

protected:
    void loadHandling() override;

private:
    void okClicked();

    DriveList *m_driveListBox;
    DirList *m_dirListBox;
    QLineEdit *m_txtFilename;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    StatusLine *m_lblStatus;
};
