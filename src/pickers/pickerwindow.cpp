#include "pickerwindow.h"

#include "dirlist.h"
#include "drivelist.h"
#include "pickerparts.h"
#include "statusline.h"

#include "ui/forms.h"
#include "ui/windowplacement.h"

#include <QLineEdit>
#include <QPushButton>

void PickerWindow::linkCommonParts()
{
    setTabOrder(m_driveListBox, m_dirListBox);
    setTabOrder(m_dirListBox, m_txtFilename);
    setTabOrder(m_txtFilename, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_driveListBox->setFocus();

    PickerParts::startLists(m_driveListBox, m_dirListBox, m_lblStatus);
    connect(m_driveListBox, &DriveList::driveChanged, this,
            [this] { m_dirListBox->setPath(m_driveListBox->drive()); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { this->forms().unload(this); });
}

void PickerWindow::loadHandling()
{
    centreOnScreen(this);
    show();
}
