#include "batchmonitor.h"

#include "app/forms.h"
#include "app/module1.h"
#include "app/programicon.h"
#include "creator/tolvane.h"
#include "cssystray.h"
#include "help/batchaboutbox.h"
#include "loadonstartup.h"
#include "trayactivation.h"

#include <QAction>
#include <QMenu>

BatchMonitor::BatchMonitor(Forms &forms)
    : Form(forms), m_csSysTray1(new csSysTray(this, &forms.services().trayArea)),
      m_mnucsSysTray1(new QMenu(tr("&csSysTray1"), this)),
      m_mnucsSysTray1LoadonStartup(new QAction(tr("Load Tray Icon on Startup"), this))
{
    setObjectName(QStringLiteral("BatchMonitor"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(programIcon());

    m_csSysTray1->setObjectName(QStringLiteral("csSysTray1"));
    m_csSysTray1->setTrayIcon(programIcon());
    m_csSysTray1->setTrayTip(QStringLiteral("Tolvane"));

    // Shown and hidden again within one handler by the tray icon's activation;
    // it never appears on the screen, not even for that moment.
    setAttribute(Qt::WA_DontShowOnScreen);

    buildMenu();
    m_csSysTray1->attachTrayMenu(m_mnucsSysTray1);
    connect(m_csSysTray1, &csSysTray::TrayActivate, this, &BatchMonitor::onTrayActivate);
    connect(m_csSysTray1, &csSysTray::TrayMenuRequest, this,
            [this] { m_csSysTray1->ShowTrayMenu(m_mnucsSysTray1); });
    connect(m_mnucsSysTray1LoadonStartup, &QAction::triggered, this,
            [this] { LoadOnStartup::trayItemClicked(Form::forms()); });
    connect(m_mnucsSysTray1CreateNewBatchFile, &QAction::triggered, this,
            &BatchMonitor::onCreateNewBatchFile);
    connect(m_mnucsSysTray1About, &QAction::triggered, this,
            [this] { Form::forms().get<BatchAboutBox>(); });
    // Ends at once: nothing is asked, unloaded or saved.
    connect(m_mnucsSysTray1Exit, &QAction::triggered, this, [this] { Form::forms().endProgram(); });
}

void BatchMonitor::buildMenu()
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

void BatchMonitor::loadHandling()
{
    Module1::startUp(forms());
}

void BatchMonitor::onTrayActivate()
{
    TrayActivation::trayHostActivated(forms(), *this);
}

// Shows the main window as it is, or loads it first; no marker, so a load
// here runs in full.
void BatchMonitor::onCreateNewBatchFile()
{
    Tolvane *mainWindow = forms().get<Tolvane>();
    mainWindow->show();
    mainWindow->raise();
    mainWindow->activateWindow();
}
