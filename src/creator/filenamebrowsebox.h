#pragma once

#include "app/form.h"

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
class FilenameBrowseBox : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FilenameBrowseBox(Forms &forms);

    DriveList *DriveListBox() const { return m_DriveListBox; }
    DirList *DirListBox() const { return m_DirListBox; }
    QLineEdit *txtFilename() const { return m_txtFilename; }
    QPushButton *OK() const { return m_OK; }
    QPushButton *Cancel() const { return m_Cancel; }
    FileList *FileListBox() const { return m_FileListBox; }
    QLabel *lblDirectorySearch() const { return m_lblDirectorySearch; }
    StatusLine *lblStatus() const { return m_lblStatus; }

protected:
    void loadHandling() override;

private:
    void buildLabels();
    void okClicked();

    DriveList *m_DriveListBox;
    DirList *m_DirListBox;
    QLineEdit *m_txtFilename;
    QPushButton *m_OK;
    QPushButton *m_Cancel;
    FileList *m_FileListBox;
    QLabel *m_lblDirectorySearch = nullptr;
    StatusLine *m_lblStatus;
};
