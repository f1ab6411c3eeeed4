#pragma once

#include "app/form.h"

#include <QWidget>

class DirList;
class DriveList;
class QLineEdit;
class QPushButton;
class StatusLine;

// The directory picker: fills step 2 of the main window by browsing drives
// and folders or by typing a path.
class DirectoryBrowseBox : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit DirectoryBrowseBox(Forms &forms);

    DriveList *DriveListBox() const { return m_DriveListBox; }
    DirList *DirListBox() const { return m_DirListBox; }
    QLineEdit *txtFilename() const { return m_txtFilename; }
    QPushButton *OK() const { return m_OK; }
    QPushButton *Cancel() const { return m_Cancel; }
    StatusLine *lblStatus() const { return m_lblStatus; }

protected:
    void loadHandling() override;

private:
    void okClicked();

    DriveList *m_DriveListBox;
    DirList *m_DirListBox;
    QLineEdit *m_txtFilename;
    QPushButton *m_OK;
    QPushButton *m_Cancel;
    StatusLine *m_lblStatus;
};
