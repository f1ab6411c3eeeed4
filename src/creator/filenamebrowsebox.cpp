#include "filenamebrowsebox.h"

#include "dirlist.h"
#include "drivelist.h"
#include "filelist.h"
#include "pickerparts.h"
#include "statusline.h"
#include "tolvane.h"

#include "app/controls.h"
#include "app/fonts.h"
#include "app/forms.h"
#include "app/labelfit.h"
#include "app/twips.h"
#include "app/windowplacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace PickerParts;

FilenameBrowseBox::FilenameBrowseBox(Forms &forms) : Form(forms)
{
    setUpWindow(this, "FilenameBrowseBox", tr("Open Program Directory"), 5895, 4755);
    m_DriveListBox = makeDriveList(this, services(), twipsRect(3480, 3480, 2295, 315));
    m_DirListBox = makeDirList(this, services(), twipsRect(3480, 1200, 2295, 1890));
    m_txtFilename = Controls::makeTextBox(this, "txtFilename", twipsRect(3480, 720, 2295, 285));
    m_txtFilename->setFont(designFont(8.25));
    m_OK = Controls::makeButton(this, "OK", tr("&OK"), twipsRect(1440, 4080, 1215, 495),
                                tr("Confirm .EXE filename"));
    m_Cancel = Controls::makeButton(this, "Cancel", tr("&Cancel"), twipsRect(3360, 4080, 1215, 495),
                                    tr("Back to Tolvane"));
    m_FileListBox = new FileList(services().drives, this);
    m_FileListBox->setObjectName(QStringLiteral("FileListBox"));
    m_FileListBox->setFont(designFont(8.25));
    m_FileListBox->setGeometry(twipsRect(120, 1200, 3255, 2430));
    buildLabels();
    // Under the file list, where the design leaves room.
    m_lblStatus = makeStatusLine(this, twipsRect(120, 3690, 3255, 240));

    setTabOrder(m_DriveListBox, m_DirListBox);
    setTabOrder(m_DirListBox, m_txtFilename);
    setTabOrder(m_txtFilename, m_OK);
    setTabOrder(m_OK, m_Cancel);
    setTabOrder(m_Cancel, m_FileListBox);
    m_DriveListBox->setFocus();

    startLists(m_DriveListBox, m_DirListBox, m_lblStatus);
    m_FileListBox->setFolder(m_DirListBox->folder());
    connect(m_FileListBox, &FileList::busyChanged, m_lblStatus,
            [this](bool busy) { m_lblStatus->setBusy(m_FileListBox, busy); });
    connect(m_FileListBox, &FileList::readFailed, m_lblStatus, &StatusLine::showProblem);

    connect(m_DriveListBox, &DriveList::driveChanged, this,
            [this] { m_DirListBox->setPath(m_DriveListBox->drive()); });
    connect(m_DirListBox, &DirList::pathChanged, this,
            [this] { m_FileListBox->setFolder(m_DirListBox->folder()); });
    connect(m_FileListBox, &FileList::fileSelected, this,
            [this] { m_txtFilename->setText(m_FileListBox->fileName()); });
    connect(m_txtFilename, &QLineEdit::textChanged, m_FileListBox, &FileList::setPattern);
    connect(m_OK, &QPushButton::clicked, this, &FilenameBrowseBox::okClicked);
    connect(m_Cancel, &QPushButton::clicked, this, [this] { this->forms().unload(this); });
}

void FilenameBrowseBox::buildLabels()
{
    const auto makeLabel = [this](const char *name, const QString &text, const QRect &geometry) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(designFont(8.25));
        label->setGeometry(geometry);
        return label;
    };
    QLabel *directoryLabel =
        makeLabel("DirectoryLabel", tr("Filename .EXE:"), twipsRect(2280, 720, 1095, 255));
    QLabel *lblDirectory =
        makeLabel("lblDirectory", tr("Searching in Directory:"), twipsRect(120, 120, 1935, 255));
    for (QLabel *label : {directoryLabel, lblDirectory}) {
        label->setWordWrap(true);
        fitLabelToText(label);
    }
    // Drawn as a field: white, with a single-line border.
    m_lblDirectorySearch = makeLabel("lblDirectorySearch", {}, twipsRect(2040, 120, 3735, 255));
    m_lblDirectorySearch->setTextFormat(Qt::PlainText);
    m_lblDirectorySearch->setFrameShape(QFrame::Box);
    m_lblDirectorySearch->setLineWidth(1);
    m_lblDirectorySearch->setAutoFillBackground(true);
    QPalette field = m_lblDirectorySearch->palette();
    field.setColor(QPalette::Window, Qt::white);
    field.setColor(QPalette::WindowText, Qt::black);
    m_lblDirectorySearch->setPalette(field);
}

// The field shows step 2 as it was when the picker opened; browsing does not
// change it, and the lists do not move to it.
void FilenameBrowseBox::loadHandling()
{
    centreOnScreen(this);
    show();
    m_lblDirectorySearch->setText(forms().get<Tolvane>()->txtDirectory()->text());
}

// Referring to the main window loads it again if it was unloaded meanwhile.
void FilenameBrowseBox::okClicked()
{
    forms().get<Tolvane>()->txtExe()->setText(m_txtFilename->text());
    forms().unload(this);
}
