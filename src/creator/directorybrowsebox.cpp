#include "directorybrowsebox.h"

#include "dirlist.h"
#include "drivelist.h"
#include "pickerparts.h"
#include "statusline.h"
#include "tolvane.h"

#include "app/controls.h"
#include "app/fonts.h"
#include "app/forms.h"
#include "app/twips.h"
#include "app/windowplacement.h"

#include <QLineEdit>
#include <QPushButton>

using namespace PickerParts;

DirectoryBrowseBox::DirectoryBrowseBox(Forms &forms) : Form(forms)
{
    setUpWindow(this, "DirectoryBrowseBox", tr("Open Directory"), 4335, 4095);
    m_DriveListBox = makeDriveList(this, services(), twipsRect(960, 2760, 2415, 315));
    m_DirListBox = makeDirList(this, services(), twipsRect(960, 600, 2415, 1890));
    m_txtFilename = Controls::makeTextBox(this, "txtFilename", twipsRect(960, 240, 2415, 285));
    m_txtFilename->setFont(designFont(8.25));
    m_OK = Controls::makeButton(this, "OK", tr("&OK"), twipsRect(840, 3360, 1215, 495),
                                tr("Confirm Directory Name"));
    m_Cancel = Controls::makeButton(this, "Cancel", tr("&Cancel"), twipsRect(2400, 3360, 1215, 495),
                                    tr("Back to Tolvane"));
    // Between the drive list and the buttons, where the design leaves room.
    m_lblStatus = makeStatusLine(this, twipsRect(120, 3105, 4095, 240));

    setTabOrder(m_DriveListBox, m_DirListBox);
    setTabOrder(m_DirListBox, m_txtFilename);
    setTabOrder(m_txtFilename, m_OK);
    setTabOrder(m_OK, m_Cancel);
    m_DriveListBox->setFocus();

    startLists(m_DriveListBox, m_DirListBox, m_lblStatus);
    connect(m_DriveListBox, &DriveList::driveChanged, this,
            [this] { m_DirListBox->setPath(m_DriveListBox->drive()); });
    connect(m_DirListBox, &DirList::pathChanged, this,
            [this] { m_txtFilename->setText(m_DirListBox->path()); });
    connect(m_OK, &QPushButton::clicked, this, &DirectoryBrowseBox::okClicked);
    connect(m_Cancel, &QPushButton::clicked, this, [this] { this->forms().unload(this); });
}

void DirectoryBrowseBox::loadHandling()
{
    centreOnScreen(this);
    show();
}

// Referring to the main window loads it again if it was unloaded meanwhile.
void DirectoryBrowseBox::okClicked()
{
    forms().get<Tolvane>()->txtDirectory()->setText(m_txtFilename->text());
    forms().unload(this);
}
