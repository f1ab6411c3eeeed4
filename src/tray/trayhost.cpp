#include "trayhost.h"

#include "loadonstartup.h"
#include "trayactivation.h"
#include "trayiconcontrol.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/programicon.h"

#include <QAction>
#include <QMenu>

TrayHost::TrayHost(Forms &forms)
    : Form(forms), m_trayIconControl(new TrayIconControl(forms.services().trayArea, this)),
      m_trayMenu(new QMenu(tr("&csSysTray1"), this)),
      m_loadOnStartupItem(new QAction(tr("Load Tray Icon on Startup"), this))
{
    setObjectName(QStringLiteral("BatchMonitor"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(programIcon());

    m_trayIconControl->setObjectName(QStringLiteral("csSysTray1"));
    m_trayIconControl->setTrayIcon(programIcon());
    m_trayIconControl->setTrayTip(QStringLiteral("Tolvane"));

    buildMenu();
    m_trayIconControl->attachTrayMenu(m_trayMenu);
    connect(m_trayIconControl, &TrayIconControl::trayActivate, this, &TrayHost::onTrayActivate);
    connect(m_trayIconControl, &TrayIconControl::trayMenuRequest, this,
            [this] { m_trayIconControl->showTrayMenu(m_trayMenu); });
    connect(m_loadOnStartupItem, &QAction::triggered, this,
            [this](bool checked) { LoadOnStartup::trayItemClicked(Form::forms(), checked); });
    connect(m_createNewBatchFileItem, &QAction::triggered, this, &TrayHost::onCreateNewBatchFile);
    connect(m_aboutItem, &QAction::triggered, this,
            [this] { Form::forms().load(WindowKind::About); });
    // Ends at once: nothing is asked, unloaded or saved.
    connect(m_exitItem, &QAction::triggered, this, [this] { Form::forms().endProgram(); });
}

void TrayHost::buildMenu()
{
    auto addItem = [this](QAction *&item, const char *name, const QString &caption) {
        item = m_trayMenu->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
    };
    auto addSeparator = [this](const char *name) {
        m_trayMenu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    m_trayMenu->setObjectName(QStringLiteral("mnucsSysTray1"));
    m_loadOnStartupItem->setObjectName(QStringLiteral("mnucsSysTray1LoadonStartup"));
    m_loadOnStartupItem->setCheckable(true);
    m_loadOnStartupItem->setChecked(true);
    m_trayMenu->addAction(m_loadOnStartupItem);
    addSeparator("mnuSeperator1");
    addItem(m_createNewBatchFileItem, "mnucsSysTray1CreateNewBatchFile",
            tr("&Create New Batch File..."));
    addSeparator("mnuSeperator2");
    addItem(m_aboutItem, "mnucsSysTray1About", tr("&About"));
    addSeparator("mnuSeperator3");
    addItem(m_exitItem, "mnucsSysTray1Exit", tr("E&xit"));
}

void TrayHost::loadHandling()
{
    services().startUp();
}

void TrayHost::onTrayActivate()
{
    TrayActivation::trayIconActivated(forms());
}

// Shows the main window as it is, or loads it first; no marker, so a load
// here runs in full.
void TrayHost::onCreateNewBatchFile()
{
    forms().load<MainWindowLink>()->showInFront();
}

bool TrayHost::isInTray() const
{
    return m_trayIconControl->isIconReachable();
}

void TrayHost::setInTray(bool inTray)
{
    m_trayIconControl->setInTray(inTray);
}

bool TrayHost::isLoadOnStartupChecked() const
{
    return m_loadOnStartupItem->isChecked();
}

void TrayHost::setLoadOnStartupChecked(bool checked)
{
    m_loadOnStartupItem->setChecked(checked);
}
