#include "enabletrayicon.h"

#include "app/forms.h"
#include "app/settingskeys.h"
#include "app/settingsstore.h"
#include "app/twips.h"
#include "creator/tolvane.h"
#include "traydialoglayout.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The dialog reads its preference under the key's lower-case spelling; the
// store does not mind the case.
const QString enableKeyAsRead = QStringLiteral("enable");

} // namespace

EnableTrayIcon::EnableTrayIcon(Forms &forms)
    : Form(forms), m_check1(new QCheckBox(tr("Show this window in the future"), this)),
      m_cmdOK(new QPushButton(tr("&OK"), this))
{
    TrayDialogLayout::makeDialogWindow(this, "EnableTrayIcon", tr("Enable Tray Icon"));
    TrayDialogLayout::addInformationIcon(this);
    QLabel *text = TrayDialogLayout::addText(
        this, tr("The Tray Icon will be visible the next time you start Tolvane"),
        twipsRect(960, 300, 3735, 495));

    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setToolTip(tr("Confirm Window"));
    m_cmdOK->setAutoDefault(true); // Enter presses the button that has the focus
    m_cmdOK->setGeometry(twipsRect(1860, 960, 1215, 375));
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setChecked(true);
    m_check1->setGeometry(twipsRect(240, 1560, 3735, 285));
    QWidget::setTabOrder(m_check1, m_cmdOK);

    TrayDialogLayout::finish(this, QSize(twips(4935), twips(1980)), text, {m_cmdOK, m_check1});

    connect(m_check1, &QCheckBox::clicked, this, &EnableTrayIcon::onCheck1Clicked);
    connect(m_cmdOK, &QPushButton::clicked, this, &EnableTrayIcon::onOK);
}

QString EnableTrayIcon::checkValue() const
{
    return SettingsKeys::flag(m_check1->isChecked());
}

// Shows itself only while the preference reads as the number 1; otherwise it
// stays loaded and hidden, and later loads do nothing until it is unloaded.
void EnableTrayIcon::loadHandling()
{
    using namespace SettingsKeys;
    SettingsStore &store = services().settings;
    if (!store.readEqualsOne(enableTrayDialog.section, enableKeyAsRead,
                             m_check1->isChecked() ? 1 : 0))
        return;
    show();
    activateWindow();
    m_cmdOK->setFocus();
    store.write(enableTrayDialog.section, enableTrayDialog.key, checkValue());
}

// Only the checkmark follows the box at once; the preference waits for OK.
void EnableTrayIcon::onCheck1Clicked(bool checked)
{
    forms().get<Tolvane>()->mnuEnableTrayIconConfirmation()->setChecked(checked);
}

void EnableTrayIcon::onOK()
{
    using namespace SettingsKeys;
    services().settings.write(enableTrayDialog.section, enableTrayDialog.key, checkValue());
    forms().unload(this);
}

void EnableTrayIcon::confirmationItemClicked(Forms &forms)
{
    using namespace SettingsKeys;
    const bool on = forms.get<Tolvane>()->mnuEnableTrayIconConfirmation()->isChecked();
    forms.services().settings.write(enableTrayDialog.section, enableTrayDialog.key, flag(on));
    forms.unload<EnableTrayIcon>();
}
