#include "confirmationwindow.h"

#include "core/applicationsmenu.h"
#include "core/desktopentry.h"
#include "core/detachedrun.h"
#include "core/preferences.h"
#include "core/unloadmarker.h"
#include "createanother.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/menuicon.h"
#include "ui/messageboxes.h"
#include "ui/programicon.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"
#include "ui/wrappinglabel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The layout, in twips: a margin all round, the path box under the heading,
// then the buttons in their tab order at the right, as a dialog has its OK,
// Cancel and Apply, and the check box on a line of its own at the bottom.
constexpr int margin = 240;
constexpr int clientWidth = 5400;
constexpr int rowHeight = 375;
constexpr int buttonWidth = 1215;
constexpr int buttonGap = 120;
constexpr int gap = 240;

// As wide as the widest of the texts the button shows in its life.
int widthFor(const QPushButton *button, const QStringList &texts)
{
    int widest = twips(buttonWidth);
    for (const QString &text : texts) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        const QSize textSize = button->fontMetrics().size(Qt::TextShowMnemonic, text);
        widest = std::max(widest,
                          button->style()
                              ->sizeFromContents(QStyle::CT_PushButton, &option, textSize, button)
                              .width());
    }
    return widest;
}

} // namespace

ConfirmationWindow::ConfirmationWindow(Forms &forms)
    : Form(forms), m_headingLabel(new QLabel(tr("Batch File has been created"), this)),
      m_pathLabel(new PathLabel(this)), m_ok(new QPushButton(tr("&OK"), this)),
      m_showWindow(new QCheckBox(tr("Show this window in the future"), this)),
      m_run(Controls::makeButton(this, "cmdRun", tr("&Run"), {}, tr("Run the batch file now"))),
      m_addToMenu(Controls::makeButton(this, "cmdAddToMenu", tr("Add to &Menu"), {},
                                       tr("Add the batch file to the applications menu")))
{
    setObjectName(QStringLiteral("TolvaneConfirm"));
    setWindowTitle(tr("Batch File Created"));
    setWindowIcon(programIcon());
    Accessibility::presentAsDialog(this);
    // Drawn in the window's face, as the other dialogs are, so the check box
    // beside the button never runs out of room under a large desktop font.
    setFont(windowFont(8.25));
    // A fixed border: no resizing, no minimise or maximise button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    m_headingLabel->setObjectName(QStringLiteral("lblBatch1"));
    m_headingLabel->setFont(windowFont(9.75, true));
    m_pathLabel->setObjectName(QStringLiteral("lblBatch2"));
    m_pathLabel->setFont(windowFont(9.75));
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setToolTip(tr("Confirm Batch File Creation"));
    Controls::pressOnEnter(m_ok);
    m_showWindow->setObjectName(QStringLiteral("ShowWindow"));
    m_showWindow->setChecked(true);
    QWidget::setTabOrder(m_ok, m_showWindow);
    // Nothing to run until the writer names the file.
    m_run->setEnabled(false);
    m_addToMenu->setEnabled(false);
    QWidget::setTabOrder(m_ok, m_run);
    QWidget::setTabOrder(m_run, m_addToMenu);
    QWidget::setTabOrder(m_addToMenu, m_showWindow);

    connect(m_ok, &QPushButton::clicked, this, &ConfirmationWindow::okClicked);
    connect(m_showWindow, &QCheckBox::clicked, this, &ConfirmationWindow::showWindowClicked);
    connect(m_run, &QPushButton::clicked, this, &ConfirmationWindow::runClicked);
    connect(m_addToMenu, &QPushButton::clicked, this, &ConfirmationWindow::addToMenuClicked);
    layOut();
}

QLabel *ConfirmationWindow::pathLabel() const
{
    return m_pathLabel;
}

// The path box grows downwards for a long path; everything under it follows.
// It never takes more than half the screen, so the window always fits on it.
// A larger font widens the buttons, and the window with them.
void ConfirmationWindow::layOut()
{
    const int buttonsWidth =
        buttonWidth(m_ok) + buttonWidth(m_run) + buttonWidth(m_addToMenu) + 2 * twips(buttonGap);
    const int client = std::max({twips(clientWidth), buttonsWidth + 2 * twips(margin),
                                 m_showWindow->sizeHint().width() + 2 * twips(margin)});
    const int width = client - 2 * twips(margin);
    if (const QScreen *screen = this->screen())
        m_pathLabel->setMaximumTextHeight(screen->availableGeometry().height() / 2);
    m_headingLabel->setGeometry(twips(margin), twips(margin), width,
                                std::max(twips(rowHeight), m_headingLabel->sizeHint().height()));
    const int pathTop = m_headingLabel->geometry().bottom() + 1 + twips(gap) / 2;
    m_pathLabel->setGeometry(twips(margin), pathTop, width,
                             std::max(twips(rowHeight), m_pathLabel->heightForWidth(width)));
    layOutButtons(m_pathLabel->geometry().bottom() + 1 + twips(gap),
                  client - twips(margin) - buttonsWidth);
    const int boxTop = m_ok->geometry().bottom() + 1 + twips(gap) / 2;
    m_showWindow->setGeometry(twips(margin), boxTop, width,
                              std::max(twips(rowHeight), m_showWindow->sizeHint().height()));
    setFixedSize(client, m_showWindow->geometry().bottom() + 1 + twips(margin));
}

// OK, Run and Add to Menu side by side, in their tab order.
void ConfirmationWindow::layOutButtons(int top, int left)
{
    QPushButton *const buttons[] = {m_ok, m_run, m_addToMenu};
    int height = twips(rowHeight);
    for (const QPushButton *button : buttons)
        height = std::max(height, button->sizeHint().height());
    for (QPushButton *button : buttons) {
        button->setGeometry(left, top, buttonWidth(button), height);
        left += button->width() + twips(buttonGap);
    }
}

// Wide enough for each text the button shows in its life: "Add to Menu"
// reads "In the Menu" once it has been used.
int ConfirmationWindow::buttonWidth(const QPushButton *button) const
{
    return button == m_addToMenu ? widthFor(button, {tr("Add to &Menu"), tr("In the Menu")})
                                 : widthFor(button, {button->text()});
}

// The confirmation step: show where the file went, or ask at once.
void ConfirmationWindow::loadHandling()
{
    const Preferences preferences = this->preferences();
    centreOnScreen(this);
    if (!preferences.confirmationShowsItself(m_showWindow->isChecked())) {
        // The window stays loaded and hidden until the next file or the View
        // menu's item unloads it.
        askCreateAnother(forms());
        return;
    }
    forms().unload(WindowKind::MainWindow);
    m_pathLabel->setText(preferences.lastBatchPath());
    layOut();
    centreOnScreen(this);
    show();
}

void ConfirmationWindow::setBatchFile(const WrittenBatchFile &file)
{
    m_file = file;
    m_command = RunCommand::forFile(file, services().drives);
    const bool runs = m_command.ok();
    m_run->setEnabled(runs);
    m_addToMenu->setEnabled(runs);
    if (!runs) {
        m_run->setToolTip(m_command.problem());
        m_addToMenu->setToolTip(m_command.problem());
    }
}

// Started apart from Tolvane, which goes on at once; an interpreter that
// gives up within seconds is told about afterwards.
void ConfirmationWindow::runClicked()
{
    if (!m_command.ok())
        return;
    auto *run = new DetachedRun(this);
    connect(
        run, &DetachedRun::endedWithError, this,
        [this, file = m_file.dosPath, interpreter = m_command.interpreter()](const QString &said) {
            services().messages.critical(
                tr("%1 stopped at once while running the batch file %2. It said:\n\n%3")
                    .arg(interpreter, file, said));
        });
    if (const auto problem = run->start(m_command.arguments(), m_command.folder())) {
        run->deleteLater();
        services().messages.critical(
            tr("The batch file %1 could not be run.\n\n%2").arg(m_file.dosPath, *problem));
    }
}

void ConfirmationWindow::addToMenuClicked()
{
    if (!m_command.ok())
        return;
    const ApplicationsMenu menu;
    if (const auto problem = menu.add(m_file, m_command, menuIconPng(m_file.programHostPath))) {
        services().messages.critical(
            tr("The batch file %1 could not be added to the applications menu.\n\n%2")
                .arg(m_file.dosPath, *problem));
        return;
    }
    m_addToMenu->setText(tr("In the Menu"));
    m_addToMenu->setToolTip(
        tr("Added as %1").arg(menu.entryPath(DesktopEntry::idFor(m_file.hostPath))));
    m_addToMenu->setEnabled(false);
}

void ConfirmationWindow::okClicked()
{
    preferences().setBatchConfirmation(m_showWindow->isChecked());
    Forms &lifetime = forms(); // this window is gone once unloaded
    lifetime.unload(this);
    askCreateAnother(lifetime);
}

// Only the main window's checkmark follows the box at once; the setting
// itself waits for "&OK".
void ConfirmationWindow::showWindowClicked()
{
    UnloadMarker::set(services().settings);
    forms().load<MainWindowLink>()->setBatchConfirmationChecked(m_showWindow->isChecked());
}

void ConfirmationWindow::batchFileConfirmationClicked(Forms &forms, bool checked)
{
    Preferences(forms.services().settings).setBatchConfirmation(checked);
    forms.unload<ConfirmationWindow>();
}
