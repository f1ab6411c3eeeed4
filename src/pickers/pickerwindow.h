#pragma once

#include "ui/form.h"

#include <QWidget>

class DirList;
class DriveList;
class QLineEdit;
class QPushButton;
class StatusLine;

// What both pickers are: a window with a drive list, a folder list, a text
// box, OK, Cancel and a status line. Each picker makes and places these,
// then adds what is its own.
class PickerWindow : public QWidget, public Form
{
    Q_OBJECT

public:
    DriveList *driveList() const { return m_driveList; }
    DirList *folderList() const { return m_folderList; }
    QLineEdit *choiceEdit() const { return m_choiceEdit; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    StatusLine *statusLine() const { return m_statusLine; }

protected:
    explicit PickerWindow(Forms &forms) : Form(forms) {}

    // Once the parts are made: Tab runs from the drive list through the
    // folders and the text box to OK and Cancel, the drive list has the
    // focus, the lists start at the current folder and follow the drive,
    // and Cancel unloads the picker.
    void linkCommonParts();
    // Centred on the screen, shown.
    void loadHandling() override;

    DriveList *m_driveList = nullptr;
    DirList *m_folderList = nullptr;
    QLineEdit *m_choiceEdit = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    StatusLine *m_statusLine = nullptr;
};
