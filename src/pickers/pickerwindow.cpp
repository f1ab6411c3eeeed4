#include "pickerwindow.h"

#include "dirlist.h"
#include "drivelist.h"
#include "pickerparts.h"
#include "statusline.h"

#include "core/stepanswers.h"
#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/windowplacement.h"

#include <QLineEdit>
#include <QPushButton>

void PickerWindow::linkCommonParts()
{
    setTabOrder(m_driveList, m_folderList);
    setTabOrder(m_folderList, m_choiceEdit);
    setTabOrder(m_choiceEdit, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_driveList->setFocus();
    Controls::sayWhenCut(m_choiceEdit, services().messages,
                         tr("This box holds at most %1 characters, as many as a command line "
                            "can; the rest of the text was left out. Please check the end of it.")
                             .arg(longestAnswer));

    PickerParts::startLists(m_driveList, m_folderList, m_statusLine);
    connect(m_driveList, &DriveList::driveChanged, this,
            [this] { m_folderList->setPath(m_driveList->drive()); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { this->forms().unload(this); });
}

void PickerWindow::loadHandling()
{
    centreOnScreen(this);
    show();
}
