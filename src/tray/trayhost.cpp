#include "trayhost.h"

#include "loadonstartup.h"
#include "trayactivation.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/programicon.h"
#include "ui/trayiconcontrol.h"

#include <QAction>
#include <QMenu>

TrayHost::TrayHost(Forms &forms)
    : Form(forms), m_trayIconControl(new TrayIconControl(this, &forms.services().trayArea)),
      m_mnucsSysTray1(new QMenu(tr("&csSysTray1"), this)),
      m_mnucsSysTray1LoadonStartup(new QAction(tr("Load Tray Icon on Startup"), this))
{
    setObjectName(QStringLiteral("BatchMonitor"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(programIcon());

    m_trayIconControl->setObjectName(QStringLiteral("csSysTray1"));
    m_trayIconControl->setTrayIcon(programIcon());
    m_trayIconControl->setTrayTip(QStringLiteral("Tolvane"));

    // Shown and hidden again within one handler by the tray icon's activation;
    // it never appears on the screen, not even for that moment.
    setAttribute(Qt::WA_DontShowOnScreen);

    buildMenu();
    m_trayIconControl->attachTrayMenu(m_mnucsSysTray1);
    connect(m_trayIconControl, &TrayIconControl::trayActivate, this, &TrayHost::onTrayActivate);
    connect(m_trayIconControl, &TrayIconControl::trayMenuRequest, this,
            [this] { m_trayIconControl->showTrayMenu(m_mnucsSysTray1); });
    connect(m_mnucsSysTray1LoadonStartup, &QAction::triggered, this,
            [this] { LoadOnStartup::trayItemClicked(Form::forms()); });
    connect(m_mnucsSysTray1CreateNewBatchFile, &QAction::triggered, this,
            &TrayHost::onCreateNewBatchFile);
    connect(m_mnucsSysTray1About, &QAction::triggered, this,
            [this] { Form::forms().load(WindowKind::About); });
    // Ends at once: nothing is asked, unloaded or saved.
    connect(m_mnucsSysTray1Exit, &QAction::triggered, this, [this] { Form::forms().endProgram(); });
}

void TrayHost::buildMenu()
{
    auto addItem = [this](QAction *&item, const char *name, const QString &caption) {
        item = m_mnucsSysTray1->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
    };
    auto addSeparator = [this](const char *name) {
        m_mnucsSysTray1->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    m_mnucsSysTray1->setObjectName(QStringLiteral("mnucsSysTray1"));
    m_mnucsSysTray1LoadonStartup->setObjectName(QStringLiteral("mnucsSysTray1LoadonStartup"));
    m_mnucsSysTray1LoadonStartup->setCheckable(true);
    m_mnucsSysTray1LoadonStartup->setChecked(true);
    m_mnucsSysTray1->addAction(m_mnucsSysTray1LoadonStartup);
    addSeparator("mnuSeperator1");
    addItem(m_mnucsSysTray1CreateNewBatchFile, "mnucsSysTray1CreateNewBatchFile",
            tr("&Create New Batch File..."));
    addSeparator("mnuSeperator2");
    addItem(m_mnucsSysTray1About, "mnucsSysTray1About", tr("&About"));
    addSeparator("mnuSeperator3");
    addItem(m_mnucsSysTray1Exit, "mnucsSysTray1Exit", tr("E&xit"));
}

void TrayHost::loadHandling()
{
    services().startUp();
}

void TrayHost::onTrayActivate()
{
    TrayActivation::trayHostActivated(forms(), *this);
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
    return m_mnucsSysTray1LoadonStartup->isChecked();
}

void TrayHost::setLoadOnStartupChecked(bool checked)
{
    m_mnucsSysTray1LoadonStartup->setChecked(checked);
}
