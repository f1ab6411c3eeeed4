#include "enabletrayicondialog.h"

#include "core/settingsentries.h"
#include "core/settingsstore.h"
#include "traydialoglayout.h"
#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

EnableTrayIconDialog::EnableTrayIconDialog(Forms &forms)
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
    Controls::pressOnEnter(m_cmdOK);
    m_cmdOK->setGeometry(twipsRect(1860, 960, 1215, 375));
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setChecked(true);
    m_check1->setGeometry(twipsRect(240, 1560, 3735, 285));
    QWidget::setTabOrder(m_check1, m_cmdOK);

    TrayDialogLayout::finish(this, QSize(twips(4935), twips(1980)), text, {m_cmdOK, m_check1});

    connect(m_check1, &QCheckBox::clicked, this, &EnableTrayIconDialog::onCheck1Clicked);
    connect(m_cmdOK, &QPushButton::clicked, this, &EnableTrayIconDialog::onOK);
}

QString EnableTrayIconDialog::checkValue() const
{
    return SettingsEntries::flag(m_check1->isChecked());
}

// Shows itself only while the preference reads as the number 1; otherwise it
// stays loaded and hidden, and later loads do nothing until it is unloaded.
void EnableTrayIconDialog::loadHandling()
{
    using namespace SettingsEntries;
    SettingsStore &store = services().settings;
    if (!store.isOn(enableDialogShowsItself, m_check1->isChecked()))
        return;
    show();
    activateWindow();
    m_cmdOK->setFocus();
    store.write(enableTrayDialog, checkValue());
}

// Only the checkmark follows the box at once; the preference waits for OK.
void EnableTrayIconDialog::onCheck1Clicked(bool checked)
{
    forms().load<MainWindowLink>()->setEnableTrayConfirmationChecked(checked);
}

void EnableTrayIconDialog::onOK()
{
    services().settings.write(SettingsEntries::enableTrayDialog, checkValue());
    forms().unload(this);
}
