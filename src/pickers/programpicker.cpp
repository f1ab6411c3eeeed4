#include "programpicker.h"

#include "core/batchfile.h"
#include "dirlist.h"
#include "drivelist.h"
#include "filelist.h"
#include "pickerparts.h"
#include "statusline.h"
#include "ui/mainwindowlink.h"

#include "core/dosfolder.h"
#include "core/hostname.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/forms.h"
#include "ui/labelfit.h"
#include "ui/messageboxes.h"
#include "ui/services.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace PickerParts;

ProgramPicker::ProgramPicker(Forms &forms) : PickerWindow(forms)
{
    setUpWindow(this, "FilenameBrowseBox", tr("Open Program Directory"), 5895, 4755);
    m_driveList = makeDriveList(this, services(), twipsRect(3480, 3480, 2295, 315));
    m_folderList = makeDirList(this, services(), twipsRect(3480, 1200, 2295, 1890));
    m_choiceEdit = Controls::makeTextBox(this, "txtFilename", twipsRect(3480, 720, 2295, 285));
    m_choiceEdit->setFont(windowFont(8.25));
    m_ok = Controls::makeButton(this, "OK", tr("&OK"), twipsRect(1440, 4080, 1215, 495),
                                tr("Confirm .EXE filename"));
    m_cancel = Controls::makeButton(this, "Cancel", tr("&Cancel"), twipsRect(3360, 4080, 1215, 495),
                                    tr("Back to Tolvane"));
    m_fileList = new FileList(services().drives, this);
    m_fileList->setObjectName(QStringLiteral("FileListBox"));
    m_fileList->setFont(windowFont(8.25));
    m_fileList->setAccessibleName(tr("Files"));
    m_fileList->setGeometry(twipsRect(120, 1200, 3255, 2430));
    buildLabels();
    // Under the file list, where the layout leaves room.
    m_statusLine = makeStatusLine(this, twipsRect(120, 3690, 3255, 240));

    linkCommonParts();
    setTabOrder(m_cancel, m_fileList);
    m_fileList->setFolder(m_folderList->folder());
    connect(m_fileList, &FileList::busyChanged, m_statusLine,
            [this](bool busy) { m_statusLine->setBusy(m_fileList, busy); });
    connect(m_fileList, &FileList::readFailed, m_statusLine, &StatusLine::showProblem);

    connect(m_folderList, &DirList::pathChanged, this,
            [this] { m_fileList->setFolder(m_folderList->folder()); });
    connect(m_fileList, &FileList::fileSelected, this, [this] {
        m_pickedName = m_fileList->fileName();
        m_choiceEdit->setText(m_pickedName);
    });
    connect(m_choiceEdit, &QLineEdit::textChanged, m_fileList, &FileList::setPattern);
    connect(m_ok, &QPushButton::clicked, this, &ProgramPicker::okClicked);
}

void ProgramPicker::buildLabels()
{
    const auto makeLabel = [this](const char *name, const QString &text, const QRect &geometry) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(windowFont(8.25));
        label->setGeometry(geometry);
        return label;
    };
    QLabel *directoryLabel =
        makeLabel("DirectoryLabel", tr("Filename .EXE:"), twipsRect(2280, 720, 1095, 255));
    QLabel *lblDirectory =
        makeLabel("lblDirectory", tr("Searching in Directory:"), twipsRect(120, 120, 1935, 255));
    // A screen reader names the box after its label.
    directoryLabel->setBuddy(m_choiceEdit);
    for (QLabel *label : {directoryLabel, lblDirectory}) {
        label->setWordWrap(true);
        fitLabelToText(label);
    }
    // Drawn as a field: white, with a single-line border.
    m_searchedFolderLabel = makeLabel("lblDirectorySearch", {}, twipsRect(2040, 120, 3735, 255));
    m_searchedFolderLabel->setTextFormat(Qt::PlainText);
    m_searchedFolderLabel->setFrameShape(QFrame::Box);
    m_searchedFolderLabel->setLineWidth(1);
    m_searchedFolderLabel->setAutoFillBackground(true);
    QPalette field = m_searchedFolderLabel->palette();
    field.setColor(QPalette::Window, Qt::white);
    field.setColor(QPalette::WindowText, Qt::black);
    m_searchedFolderLabel->setPalette(field);
}

// The field shows step 2 as it was when the picker opened; browsing does not
// change it, and the lists do not move to it.
void ProgramPicker::loadHandling()
{
    PickerWindow::loadHandling();
    m_searchedFolderLabel->setText(forms().load<MainWindowLink>()->directoryStep());
}

// Referring to the main window loads it again if it was unloaded meanwhile.
// A name picked from the list that no DOS path can hold is refused, and one
// that runs only in quotes is quoted; typed text is taken as it stands (step 3
// holds parameters, patterns and whole command lines too).
void ProgramPicker::okClicked()
{
    QString program = m_choiceEdit->text();
    if (!program.isEmpty() && program == m_pickedName) {
        if (const QString why = DosFolder::whyNotDos(program); !why.isEmpty()) {
            services().messages.critical(
                tr("\"%1\" cannot be used in a batch file: its name holds %2.")
                    .arg(HostName::forDisplay(program), why));
            return;
        }
        // A file picked from the list must run however it is named.
        program = BatchFile::programCommand(program);
    }
    forms().load<MainWindowLink>()->setProgramStep(program);
    forms().unload(this);
}
