#include "confirmationwindow.h"

#include "core/preferences.h"
#include "core/unloadmarker.h"
#include "createanother.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/programicon.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"
#include "ui/wrappinglabel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// The layout, in twips: a margin all round, the path box under the heading,
// and the check box beside the button at the bottom.
constexpr int margin = 240;
constexpr int clientWidth = 5400;
constexpr int rowHeight = 375;
constexpr int buttonWidth = 1215;
constexpr int gap = 240;

} // namespace

ConfirmationWindow::ConfirmationWindow(Forms &forms)
    : Form(forms), m_headingLabel(new QLabel(tr("Batch File has been created"), this)),
      m_pathLabel(new PathLabel(this)), m_ok(new QPushButton(tr("&OK"), this)),
      m_showWindow(new QCheckBox(tr("Show this window in the future"), this))
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

    connect(m_ok, &QPushButton::clicked, this, &ConfirmationWindow::okClicked);
    connect(m_showWindow, &QCheckBox::clicked, this, &ConfirmationWindow::showWindowClicked);
    layOut();
}

QLabel *ConfirmationWindow::pathLabel() const
{
    return m_pathLabel;
}

// The path box grows downwards for a long path; everything under it follows.
// It never takes more than half the screen, so the window always fits on it.
void ConfirmationWindow::layOut()
{
    const int width = twips(clientWidth - 2 * margin);
    if (const QScreen *screen = this->screen())
        m_pathLabel->setMaximumTextHeight(screen->availableGeometry().height() / 2);
    m_headingLabel->setGeometry(twips(margin), twips(margin), width,
                                std::max(twips(rowHeight), m_headingLabel->sizeHint().height()));
    const int pathTop = m_headingLabel->geometry().bottom() + 1 + twips(gap) / 2;
    m_pathLabel->setGeometry(twips(margin), pathTop, width,
                             std::max(twips(rowHeight), m_pathLabel->heightForWidth(width)));
    const int rowTop = m_pathLabel->geometry().bottom() + 1 + twips(gap);
    const int buttonHeight = std::max(twips(rowHeight), m_ok->sizeHint().height());
    m_ok->setGeometry(twips(clientWidth - margin - buttonWidth), rowTop, twips(buttonWidth),
                      buttonHeight);
    m_showWindow->setGeometry(twips(margin), rowTop, width - twips(buttonWidth + gap),
                              buttonHeight);
    setFixedSize(twips(clientWidth), rowTop + buttonHeight + twips(margin));
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
