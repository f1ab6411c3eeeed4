#include "confirmationwindow.h"

#include "core/settingsentries.h"
#include "core/settingsstore.h"
#include "core/unloadmarker.h"
#include "createanother.h"
#include "mainwindow.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/forms.h"
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
    : Form(forms), m_lblBatch1(new QLabel(tr("Batch File has been created"), this)),
      m_lblBatch2(new PathLabel(this)), m_ok(new QPushButton(tr("&OK"), this)),
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

    m_lblBatch1->setObjectName(QStringLiteral("lblBatch1"));
    m_lblBatch1->setFont(windowFont(9.75, true));
    m_lblBatch2->setObjectName(QStringLiteral("lblBatch2"));
    m_lblBatch2->setFont(windowFont(9.75));
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

QLabel *ConfirmationWindow::lblBatch2() const
{
    return m_lblBatch2;
}

// The path box grows downwards for a long path; everything under it follows.
// It never takes more than half the screen, so the window always fits on it.
void ConfirmationWindow::layOut()
{
    const int width = twips(clientWidth - 2 * margin);
    if (const QScreen *screen = this->screen())
        m_lblBatch2->setMaximumTextHeight(screen->availableGeometry().height() / 2);
    m_lblBatch1->setGeometry(twips(margin), twips(margin), width,
                             std::max(twips(rowHeight), m_lblBatch1->sizeHint().height()));
    const int pathTop = m_lblBatch1->geometry().bottom() + 1 + twips(gap) / 2;
    m_lblBatch2->setGeometry(twips(margin), pathTop, width,
                             std::max(twips(rowHeight), m_lblBatch2->heightForWidth(width)));
    const int rowTop = m_lblBatch2->geometry().bottom() + 1 + twips(gap);
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
    using namespace SettingsEntries;
    SettingsStore &settings = services().settings;
    centreOnScreen(this);
    if (!settings.isOn(confirmationShowsItself, m_showWindow->isChecked())) {
        // The window stays loaded and hidden until the next file or the View
        // menu's item unloads it.
        askCreateAnother(forms());
        return;
    }
    forms().unload<MainWindow>();
    m_lblBatch2->setText(settings.read(lastBatchPath));
    layOut();
    centreOnScreen(this);
    show();
}

void ConfirmationWindow::okClicked()
{
    using namespace SettingsEntries;
    services().settings.write(showConfirmation, flag(m_showWindow->isChecked()));
    Forms &lifetime = forms(); // this window is gone once unloaded
    lifetime.unload(this);
    askCreateAnother(lifetime);
}

// Only the main window's checkmark follows the box at once; the setting
// itself waits for "&OK".
void ConfirmationWindow::showWindowClicked()
{
    UnloadMarker::set(services().settings);
    forms().load<MainWindow>()->setBatchConfirmationChecked(m_showWindow->isChecked());
}

void ConfirmationWindow::batchFileConfirmationClicked(Forms &forms, bool checked)
{
    using namespace SettingsEntries;
    forms.services().settings.write(showConfirmation, flag(checked));
    forms.unload<ConfirmationWindow>();
}
