#include "enabletrayicondialog.h"

#include "core/preferences.h"
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
    : Form(forms), m_showAgainBox(new QCheckBox(tr("Show this window in the future"), this)),
      m_okButton(new QPushButton(tr("&OK"), this))
{
    TrayDialogLayout::makeDialogWindow(this, "EnableTrayIcon", tr("Enable Tray Icon"));
    TrayDialogLayout::addInformationIcon(this);
    QLabel *text = TrayDialogLayout::addText(
        this, tr("The Tray Icon will be visible the next time you start Tolvane"),
        twipsRect(960, 300, 3735, 495));

    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setToolTip(tr("Confirm Window"));
    Controls::pressOnEnter(m_okButton);
    m_okButton->setGeometry(twipsRect(1860, 960, 1215, 375));
    m_showAgainBox->setObjectName(QStringLiteral("Check1"));
    m_showAgainBox->setChecked(true);
    m_showAgainBox->setGeometry(twipsRect(240, 1560, 3735, 285));
    QWidget::setTabOrder(m_showAgainBox, m_okButton);

    TrayDialogLayout::finish(this, QSize(twips(4935), twips(1980)), text,
                             {m_okButton, m_showAgainBox});

    connect(m_showAgainBox, &QCheckBox::clicked, this, &EnableTrayIconDialog::showAgainClicked);
    connect(m_okButton, &QPushButton::clicked, this, &EnableTrayIconDialog::onOK);
}

// Shows itself only while the preference reads as the number 1; otherwise it
// stays loaded and hidden, and later loads do nothing until it is unloaded.
void EnableTrayIconDialog::loadHandling()
{
    if (!preferences().enableDialogShowsItself(m_showAgainBox->isChecked()))
        return;
    show();
    activateWindow();
    m_okButton->setFocus();
    preferences().setEnableTrayConfirmation(m_showAgainBox->isChecked());
}

// Only the checkmark follows the box at once; the preference waits for OK.
void EnableTrayIconDialog::showAgainClicked(bool checked)
{
    forms().load<MainWindowLink>()->setEnableTrayConfirmationChecked(checked);
}

void EnableTrayIconDialog::onOK()
{
    preferences().setEnableTrayConfirmation(m_showAgainBox->isChecked());
    forms().unload(this);
}
