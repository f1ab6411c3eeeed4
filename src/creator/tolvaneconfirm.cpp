#include "tolvaneconfirm.h"

#include "app/fonts.h"
#include "app/forms.h"
#include "app/programicon.h"
#include "app/settingskeys.h"
#include "app/settingsstore.h"
#include "app/twips.h"
#include "app/unloadmarker.h"
#include "app/windowplacement.h"
#include "createanother.h"
#include "pathlabel.h"
#include "tolvane.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The design, in twips: a margin all round, the path box under the heading,
// and the check box beside the button at the bottom.
constexpr int margin = 240;
constexpr int clientWidth = 5400;
constexpr int rowHeight = 375;
constexpr int buttonWidth = 1215;
constexpr int gap = 240;

} // namespace

TolvaneConfirm::TolvaneConfirm(Forms &forms)
    : Form(forms), m_lblBatch1(new QLabel(tr("Batch File has been created"), this)),
      m_lblBatch2(new PathLabel(this)), m_OK(new QPushButton(tr("&OK"), this)),
      m_ShowWindow(new QCheckBox(tr("Show this window in the future"), this))
{
    setObjectName(QStringLiteral("TolvaneConfirm"));
    setWindowTitle(tr("Batch File Created"));
    setWindowIcon(programIcon());
    // A fixed border: no resizing, no minimise or maximise button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    m_lblBatch1->setObjectName(QStringLiteral("lblBatch1"));
    m_lblBatch1->setFont(designFont(9.75, true));
    m_lblBatch2->setObjectName(QStringLiteral("lblBatch2"));
    m_lblBatch2->setFont(designFont(9.75));
    m_OK->setObjectName(QStringLiteral("OK"));
    m_OK->setToolTip(tr("Confirm Batch File Creation"));
    m_ShowWindow->setObjectName(QStringLiteral("ShowWindow"));
    m_ShowWindow->setChecked(true);
    QWidget::setTabOrder(m_OK, m_ShowWindow);

    connect(m_OK, &QPushButton::clicked, this, &TolvaneConfirm::okClicked);
    connect(m_ShowWindow, &QCheckBox::clicked, this, &TolvaneConfirm::showWindowClicked);
    layOut();
}

QLabel *TolvaneConfirm::lblBatch2() const
{
    return m_lblBatch2;
}

// The path box grows downwards for a long path; everything under it follows.
void TolvaneConfirm::layOut()
{
    const int width = twips(clientWidth - 2 * margin);
    m_lblBatch1->setGeometry(twips(margin), twips(margin), width,
                             std::max(twips(rowHeight), m_lblBatch1->sizeHint().height()));
    const int pathTop = m_lblBatch1->geometry().bottom() + 1 + twips(gap) / 2;
    m_lblBatch2->setGeometry(twips(margin), pathTop, width,
                             std::max(twips(rowHeight), m_lblBatch2->heightForWidth(width)));
    const int rowTop = m_lblBatch2->geometry().bottom() + 1 + twips(gap);
    const int buttonHeight = std::max(twips(rowHeight), m_OK->sizeHint().height());
    m_OK->setGeometry(twips(clientWidth - margin - buttonWidth), rowTop, twips(buttonWidth),
                      buttonHeight);
    m_ShowWindow->setGeometry(twips(margin), rowTop, width - twips(buttonWidth + gap),
                              buttonHeight);
    setFixedSize(twips(clientWidth), rowTop + buttonHeight + twips(margin));
}

// The confirmation step: show where the file went, or ask at once.
void TolvaneConfirm::loadHandling()
{
    using namespace SettingsKeys;
    SettingsStore &settings = services().settings;
    centreOnScreen(this);
    if (!settings.readEqualsOne(showConfirmation.section, showConfirmation.key,
                                m_ShowWindow->isChecked() ? 1 : 0)) {
        // The window stays loaded and hidden until the next file or the View
        // menu's item unloads it.
        askCreateAnother(forms());
        return;
    }
    forms().unload<Tolvane>();
    m_lblBatch2->setText(settings.read(lastBatchPath.section, lastBatchPath.key, {}));
    layOut();
    centreOnScreen(this);
    show();
}

void TolvaneConfirm::okClicked()
{
    using namespace SettingsKeys;
    services().settings.write(showConfirmation.section, showConfirmation.key,
                              flag(m_ShowWindow->isChecked()));
    Forms &lifetime = forms(); // this window is gone once unloaded
    lifetime.unload(this);
    askCreateAnother(lifetime);
}

// Only the main window's checkmark follows the box at once; the setting
// itself waits for "&OK".
void TolvaneConfirm::showWindowClicked()
{
    UnloadMarker::set(services().settings);
    forms().get<Tolvane>()->mnuTolvaneConfirmation()->setChecked(m_ShowWindow->isChecked());
}

void TolvaneConfirm::batchFileConfirmationClicked(Forms &forms, bool checked)
{
    using namespace SettingsKeys;
    forms.services().settings.write(showConfirmation.section, showConfirmation.key, flag(checked));
    forms.unload<TolvaneConfirm>();
}
