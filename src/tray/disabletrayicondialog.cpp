#include "disabletrayicondialog.h"

#include "core/preferences.h"
#include "traydialoglayout.h"
#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/trayhostlink.h"
#include "ui/twips.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

DisableTrayIconDialog::DisableTrayIconDialog(Forms &forms)
    : Form(forms), m_yesButton(Controls::makeButton(this, "cmdYes", tr("&Yes"),
                                                    twipsRect(1560, 1440, 1215, 375))),
      m_noButton(Controls::makeButton(this, "cmdNo", tr("&No"), twipsRect(3000, 1440, 1215, 375)))
{
    TrayDialogLayout::makeDialogWindow(this, "DisableTrayIcon", tr("Disable Tray Icon"));
    TrayDialogLayout::addInformationIcon(this);
    QLabel *text = TrayDialogLayout::addText(
        this,
        tr("Disabling the Tray Icon will limit you to easier access to Tolvane. Are you sure "
           "you would like to disable it? If you disable, changes will not take effect until "
           "the next time you start Tolvane."),
        twipsRect(960, 240, 4575, 975));
    QWidget::setTabOrder(m_yesButton, m_noButton);
    TrayDialogLayout::finish(this, QSize(twips(5775), twips(2055)), text,
                             {m_yesButton, m_noButton});

    connect(m_yesButton, &QPushButton::clicked, this, &DisableTrayIconDialog::onYes);
    connect(m_noButton, &QPushButton::clicked, this, &DisableTrayIconDialog::onNo);
}

void DisableTrayIconDialog::loadHandling()
{
    show();
    activateWindow();
    m_noButton->setFocus();
}

void DisableTrayIconDialog::onYes()
{
    preferences().setLoadOnStartup(false);
    if (forms().load<MainWindowLink>()->isShown()) {
        forms().unload(this);
        return;
    }
    // With the main window out of sight the tray host goes, and its icon with
    // it. A hidden main window would then be out of reach, so the program ends.
    Forms &lifetime = forms();
    lifetime.unload<TrayHostLink>();
    lifetime.unload(this);
    lifetime.endProgram();
}

// Puts the preference back; an unload marker left by the tray menu stays.
void DisableTrayIconDialog::onNo()
{
    preferences().setLoadOnStartup(true);
    forms().load<MainWindowLink>()->setLoadOnStartupChecked(true);
    forms().load<TrayHostLink>()->setLoadOnStartupChecked(true);
    forms().unload(this);
}
