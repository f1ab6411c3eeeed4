#include "directorypicker.h"

#include "dirlist.h"
#include "drivelist.h"
#include "pickerparts.h"
#include "statusline.h"
#include "ui/mainwindowlink.h"

#include "core/hostname.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/forms.h"
#include "ui/messageboxes.h"
#include "ui/services.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"

#include <QLineEdit>
#include <QPushButton>

using namespace PickerParts;

DirectoryPicker::DirectoryPicker(Forms &forms) : PickerWindow(forms)
{
    setUpWindow(this, "DirectoryBrowseBox", tr("Open Directory"), 4335, 4095);
    m_driveList = makeDriveList(this, services(), twipsRect(960, 2760, 2415, 315));
    m_folderList = makeDirList(this, services(), twipsRect(960, 600, 2415, 1890));
    m_choiceEdit = Controls::makeTextBox(this, "txtFilename", twipsRect(960, 240, 2415, 285));
    m_choiceEdit->setFont(windowFont(8.25));
    m_choiceEdit->setAccessibleName(tr("Directory"));
    m_ok = Controls::makeButton(this, "OK", tr("&OK"), twipsRect(840, 3360, 1215, 495),
                                tr("Confirm Directory Name"));
    m_cancel = Controls::makeButton(this, "Cancel", tr("&Cancel"), twipsRect(2400, 3360, 1215, 495),
                                    tr("Back to Tolvane"));
    // Between the drive list and the buttons, where the layout leaves room.
    m_statusLine = makeStatusLine(this, twipsRect(120, 3105, 4095, 240));

    linkCommonParts();
    connect(m_folderList, &DirList::pathChanged, this,
            [this] { m_choiceEdit->setText(m_folderList->path()); });
    connect(m_ok, &QPushButton::clicked, this, &DirectoryPicker::okClicked);
}

// Referring to the main window loads it again if it was unloaded meanwhile.
// A folder taken from the list whose name no DOS path can hold would send the
// batch file somewhere else (a\b is two folders in DOS), so it is refused.
void DirectoryPicker::okClicked()
{
    const QString text = m_choiceEdit->text();
    if (text == m_folderList->path()) {
        if (const auto name = m_folderList->folder().firstNameNotDos()) {
            services().messages.critical(
                tr("%1 cannot be used in a batch file: the folder name \"%2\" holds %3.")
                    .arg(HostName::forDisplay(text), HostName::forDisplay(*name),
                         DosFolder::whyNotDos(*name)));
            return;
        }
    }
    forms().load<MainWindowLink>()->setDirectoryStep(text);
    forms().unload(this);
}
