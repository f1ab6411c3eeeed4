#include "mainwindow.h"

#include "confirmationwindow.h"
#include "core/batchfilewriter.h"
#include "core/preferences.h"
#include "core/unloadmarker.h"
#include "helptopics.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/forms.h"
#include "ui/labelfit.h"
#include "ui/messageboxes.h"
#include "ui/programicon.h"
#include "ui/trayhostlink.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

// The steps' labels and text boxes use the 9.75 pt face.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    QLabel *label = Controls::makeLabel(parent, name, text, geometry);
    label->setFont(windowFont(9.75));
    fitLabelToText(label);
    return label;
}

// Screen readers name a box after its frame, "Step 1", and read the step's
// question as its description.
QLineEdit *makeTextBox(QWidget *parent, const char *name, QRect geometry, const QLabel *question)
{
    QLineEdit *box = Controls::makeTextBox(parent, name, geometry);
    box->setFont(windowFont(9.75));
    box->setAccessibleDescription(question->text());
    return box;
}

QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &title, QRect geometry)
{
    auto *frame = new QGroupBox(title, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFont(windowFont(12));
    frame->setGeometry(geometry);
    return frame;
}

QAction *makeAction(QObject *parent, const char *name, const QString &text)
{
    auto *action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction *makeCheckAction(QObject *parent, const char *name, const QString &text, bool checked)
{
    QAction *action = makeAction(parent, name, text);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

MainWindow::MainWindow(Forms &forms) : Form(forms)
{
    setObjectName(QStringLiteral("Tolvane"));
    setWindowTitle(tr("Tolvane"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("TolvaneClientArea"));
    // The controls stand at fixed positions; the layout never follows
    // the window's size, so the size is fixed.
    client->setFixedSize(twips(10680), twips(7215));
    setCentralWidget(client);
    buildSteps(client);
    buildButtons(client);
    buildMenus();
    setTabOrder();
    sayWhenAnswersAreCut();
    adjustSize();
    setFixedSize(size());
    centreOnScreen(this);
}

void MainWindow::buildSteps(QWidget *client)
{
    // One line in any face, so that it never wraps into the first frame.
    QLabel *directions = Controls::makeLabel(
        client, "lblDirections", tr("Please follow steps to create a batch file of your choice."),
        twipsRect(0, 240, 4935, 255));
    directions->setFont(windowFont(9.75));
    widenLabelToText(directions, 0);
    QGroupBox *frame1 = makeFrame(client, "Frame1", tr("Step 1"), twipsRect(0, 720, 5295, 2655));
    QGroupBox *frame2 = makeFrame(client, "Frame2", tr("Step 2"), twipsRect(5400, 720, 5295, 2655));
    QGroupBox *frame3 = makeFrame(client, "Frame3", tr("Step 3"), twipsRect(0, 3480, 5295, 2655));
    QGroupBox *frame4 =
        makeFrame(client, "Frame4", tr("Step 4"), twipsRect(5400, 3480, 5295, 2655));

    const QLabel *lblDrive = makeLabel(
        frame1, "lblDrive",
        tr("What drive (c, d, e, etc.) is your program on? Please specify the letter plus "
           "the colon (c:, d:, etc.)"),
        twipsRect(120, 360, 5055, 735));
    m_driveEdit = makeTextBox(frame1, "txtDrive", twipsRect(120, 1200, 5055, 375), lblDrive);

    const QLabel *lblDirectory =
        makeLabel(frame2, "lblDirectory",
                  tr("What directory is your program in? (c:\\windows, c:\\winword, c:\\excel, "
                     "etc.)"),
                  twipsRect(120, 360, 4455, 855));
    m_directoryEdit =
        makeTextBox(frame2, "txtDirectory", twipsRect(120, 1215, 5055, 360), lblDirectory);

    const QLabel *lblExe =
        makeLabel(frame3, "lblExe",
                  tr("What is the name of the .EXE file that executes your program? (winword.exe, "
                     "excel.exe, etc.)"),
                  twipsRect(120, 360, 4815, 615));
    m_programEdit = makeTextBox(frame3, "txtExe", twipsRect(120, 1200, 5055, 375), lblExe);
    makeLabel(frame3, "InformationLabel",
              tr("Note:  If there are any other parameters that your program requires in order "
                 "to run, you can enter those here after the .EXE file."),
              twipsRect(120, 1800, 3615, 735));

    const QLabel *lblDirectorySave =
        makeLabel(frame4, "lblDirectorySave",
                  tr("Please specify a .BAT filename (notepad.bat, wordpad.bat, solitaire.bat)"),
                  twipsRect(120, 360, 4380, 765));
    m_batchFileNameEdit =
        makeTextBox(frame4, "txtDirectorySave", twipsRect(120, 1200, 5055, 375), lblDirectorySave);
    makeLabel(frame4, "Label1",
              tr("Note:  Filename will be automatically saved in the directory specified in "
                 "Step 2."),
              twipsRect(120, 1800, 5055, 495));
}

// The two Browse buttons belong to the window, drawn over their frames.
void MainWindow::buildButtons(QWidget *client)
{
    m_okButton = Controls::makeButton(client, "cmdOK", tr("&OK"), twipsRect(3840, 6480, 1215, 495),
                                      tr("Confirm Batch File Settings"));
    m_browseDirectoryButton =
        Controls::makeButton(client, "cmdBrowse", tr("Browse..."), twipsRect(9360, 2520, 1215, 495),
                             tr("Browse for Directory"));
    m_browseProgramButton =
        Controls::makeButton(client, "cmdBrowse2", tr("Browse..."),
                             twipsRect(3960, 5280, 1215, 495), tr("Browse for Filename"));
    m_exitButton = Controls::makeButton(client, "cmdExit", tr("E&xit"),
                                        twipsRect(5640, 6480, 1215, 495), tr("Exit"));
    // Both read "Browse..." on the screen; a screen reader tells them apart.
    m_browseDirectoryButton->setAccessibleName(tr("Browse for the step 2 directory"));
    m_browseProgramButton->setAccessibleName(tr("Browse for the step 3 program"));
    connect(m_exitButton, &QPushButton::clicked, this, [this] { services().exitDecision(); });
    connect(m_okButton, &QPushButton::clicked, this, &MainWindow::okClicked);
    connect(m_browseDirectoryButton, &QPushButton::clicked, this,
            [this] { forms().load(WindowKind::DirectoryPicker); });
    connect(m_browseProgramButton, &QPushButton::clicked, this,
            [this] { forms().load(WindowKind::ProgramPicker); });
}

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    m_exitAction = makeAction(this, "mnuExit", tr("E&xit"));
    file->addAction(m_exitAction);
    connect(m_exitAction, &QAction::triggered, this, [this] { services().exitDecision(); });

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    QMenu *confirmations = view->addMenu(tr("Confirmation Windows"));
    confirmations->setObjectName(QStringLiteral("mnuConfirmationWindow"));
    m_batchConfirmationAction =
        makeCheckAction(this, "mnuTolvaneConfirmation", tr("Batch File Confirmation"), false);
    m_enableTrayConfirmationAction = makeCheckAction(this, "mnuEnableTrayIconConfirmation",
                                                     tr("Enable Tray Icon Confirmation"), false);
    confirmations->addAction(m_batchConfirmationAction);
    confirmations->addAction(m_enableTrayConfirmationAction);
    connect(m_batchConfirmationAction, &QAction::triggered, this, [this](bool checked) {
        ConfirmationWindow::batchFileConfirmationClicked(forms(), checked);
    });
    connect(m_enableTrayConfirmationAction, &QAction::triggered, this,
            &MainWindow::enableTrayConfirmationClicked);
    m_loadOnStartupAction =
        makeCheckAction(this, "mnuLoadTrayIcononStartup", tr("&Load Tray Icon on Startup"), true);
    view->addAction(m_loadOnStartupAction);
    connect(m_loadOnStartupAction, &QAction::triggered, this, &MainWindow::loadOnStartupClicked);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    m_helpContentsAction = makeAction(this, "mnuTolvaneHelp", tr("&Tolvane Help"));
    m_helpContentsAction->setShortcut(QKeySequence(Qt::Key_F1));
    m_contactAuthorAction =
        makeAction(this, "mnuContactingtheAuthor", tr("How To &Contact the Author"));
    m_licenceAction = makeAction(this, "mnuLicenseAgreement", tr("&License Agreement"));
    m_aboutAction = makeAction(this, "mnuAboutTolvane", tr("&About Tolvane"));
    help->addAction(m_helpContentsAction);
    help->addAction(m_contactAuthorAction);
    help->addSeparator()->setObjectName(QStringLiteral("mnuSeparator3"));
    help->addAction(m_licenceAction);
    help->addSeparator()->setObjectName(QStringLiteral("mnuSeparator4"));
    help->addAction(m_aboutAction);
    connect(m_helpContentsAction, &QAction::triggered, this,
            [this] { HelpTopics::showContents(services().helpViewer, preferences()); });
    connect(m_contactAuthorAction, &QAction::triggered, this,
            [this] { HelpTopics::showContactTopic(services().helpViewer, preferences()); });
    connect(m_licenceAction, &QAction::triggered, this,
            [this] { HelpTopics::showLicenceTopic(services().helpViewer, preferences()); });
    connect(m_aboutAction, &QAction::triggered, this, [this] { forms().load(WindowKind::About); });
}

void MainWindow::setTabOrder()
{
    const QList<QWidget *> order{m_driveEdit,           m_directoryEdit, m_programEdit,
                                 m_batchFileNameEdit,   m_okButton,      m_browseDirectoryButton,
                                 m_browseProgramButton, m_exitButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::loadHandling()
{
    if (UnloadMarker::consume(services().settings))
        return;
    const Preferences preferences = this->preferences();
    if (preferences.hasFirstRunDefaults())
        show();
    else
        services().firstRunDefaults();
    m_batchConfirmationAction->setChecked(preferences.batchConfirmation());
    m_enableTrayConfirmationAction->setChecked(preferences.enableTrayConfirmation());
    TrayHostLink *trayHost = forms().load<TrayHostLink>();
    trayHost->setInTray(preferences.trayIconAtLoad());
    trayHost->setLoadOnStartupChecked(preferences.loadOnStartup());
    m_loadOnStartupAction->setChecked(preferences.loadOnStartup());
}

void MainWindow::unloadHandling()
{
    if (!UnloadMarker::consume(services().settings))
        services().exitDecision();
}

std::array<QLineEdit *, 4> MainWindow::stepEdits() const
{
    return {m_driveEdit, m_directoryEdit, m_programEdit, m_batchFileNameEdit};
}

StepAnswers MainWindow::answers() const
{
    StepAnswers answers;
    for (int i = 0; i < 4; ++i)
        answers[i] = stepEdits()[i]->text();
    return answers;
}

// A box that refused part of a paste says so; no text is ever cut unseen.
void MainWindow::sayWhenAnswersAreCut()
{
    for (int step = 1; step <= 4; ++step)
        Controls::sayWhenCut(stepEdits()[step - 1], services().messages,
                             tr("Step %1 holds at most %2 characters, as many as a command line "
                                "can; the rest of the text was left out. Please check the end "
                                "of it.")
                                 .arg(step)
                                 .arg(longestAnswer));
}

void MainWindow::okClicked()
{
    const auto outcome = BatchFileWriter(services().settings, services().drives).write(answers());
    if (const auto *refusal = std::get_if<BatchFile::Refusal>(&outcome))
        refuse(*refusal);
    else
        handOver(std::get<WrittenBatchFile>(outcome));
}

// The answers stay as typed; the step at fault gets the focus, with the
// offending character selected so the user sees which one it is.
void MainWindow::refuse(const BatchFile::Refusal &refusal)
{
    services().messages.critical(refusal.message);
    if (refusal.step < 1)
        return;
    QLineEdit *edit = stepEdits()[refusal.step - 1];
    edit->setFocus();
    if (refusal.length > 0)
        edit->setSelection(int(refusal.position), int(refusal.length));
}

// This window closes, its unload finding the marker and leaving the program
// running, and the confirmation takes over; one still loaded from an
// earlier file makes way for this one. Only a confirmation that shows itself
// offers to run the file: the question alone adds nothing.
void MainWindow::handOver(const WrittenBatchFile &file)
{
    Forms &lifetime = forms(); // this window is gone once unloaded
    UnloadMarker::set(services().settings);
    lifetime.unload(this);
    lifetime.unload<ConfirmationWindow>();
    ConfirmationWindow *confirmation = lifetime.load<ConfirmationWindow>();
    if (!lifetime.hasEnded() && confirmation->isVisible())
        confirmation->setBatchFile(file);
}

// Acts on the checkmark Qt has just inverted: the tray menu's checkmark
// follows, the preference is stored and the matching dialog opens. Writes no
// unload marker.
void MainWindow::loadOnStartupClicked()
{
    const bool on = m_loadOnStartupAction->isChecked();
    forms().load<TrayHostLink>()->setLoadOnStartupChecked(on);
    preferences().setLoadOnStartup(on);
    forms().load(on ? WindowKind::EnableTrayIcon : WindowKind::DisableTrayIcon);
}

// Stores the new checkmark; an Enable Tray Icon dialog left loaded goes.
void MainWindow::enableTrayConfirmationClicked()
{
    preferences().setEnableTrayConfirmation(m_enableTrayConfirmationAction->isChecked());
    forms().unload(WindowKind::EnableTrayIcon);
}

bool MainWindow::isShown() const
{
    return isVisible();
}

void MainWindow::showInFront()
{
    if (isMinimized())
        showNormal(); // a minimised window could not take the focus
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::sendToTray()
{
    hide();
}

bool MainWindow::isLoadOnStartupChecked() const
{
    return m_loadOnStartupAction->isChecked();
}

void MainWindow::setLoadOnStartupChecked(bool checked)
{
    m_loadOnStartupAction->setChecked(checked);
}

void MainWindow::setBatchConfirmationChecked(bool checked)
{
    m_batchConfirmationAction->setChecked(checked);
}

void MainWindow::setEnableTrayConfirmationChecked(bool checked)
{
    m_enableTrayConfirmationAction->setChecked(checked);
}

QString MainWindow::directoryStep() const
{
    return m_directoryEdit->text();
}

void MainWindow::setDirectoryStep(const QString &directory)
{
    m_directoryEdit->setText(directory);
}

void MainWindow::setProgramStep(const QString &program)
{
    m_programEdit->setText(program);
}
