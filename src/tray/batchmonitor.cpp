#include "batchmonitor.h"

#include "app/forms.h"
#include "app/module1.h"
#include "app/programicon.h"
#include "cssystray.h"

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

    m_mnucsSysTray1->setObjectName(QStringLiteral("mnucsSysTray1"));
    m_mnucsSysTray1LoadonStartup->setObjectName(QStringLiteral("mnucsSysTray1LoadonStartup"));
    m_mnucsSysTray1LoadonStartup->setCheckable(true);
    m_mnucsSysTray1LoadonStartup->setChecked(true);
    m_mnucsSysTray1->addAction(m_mnucsSysTray1LoadonStartup);
}

void BatchMonitor::loadHandling()
{
    Module1::startUp(forms());
}
