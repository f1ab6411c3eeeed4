#include "ghostguard.h"

#include "forms.h"
#include "mainwindowlink.h"
#include "trayarea.h"

#include <QApplication>
#include <QWidget>

GhostGuard::GhostGuard(Forms &forms, TrayArea &trayArea, QObject *parent)
    : QObject(parent), m_forms(forms), m_trayArea(trayArea)
{
    // A zero interval fires once the event loop has nothing else to do, after
    // the handler that hid something has finished showing what comes next.
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &GhostGuard::check);
    qApp->installEventFilter(this);
    connect(&m_trayArea, &TrayArea::iconShownChanged, &m_idle, qOverload<>(&QTimer::start));
    connect(&m_trayArea, &TrayArea::areaLost, this, &GhostGuard::bringBackMainWindow);
}

bool GhostGuard::isReachable() const
{
    if (m_trayArea.isIconReachable() || QApplication::activeModalWidget())
        return true;
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget *window) { return window->isVisible(); });
}

bool GhostGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->isWindow())
        m_idle.start();
    return false;
}

void GhostGuard::check()
{
    if (!m_forms.hasEnded() && !isReachable())
        m_forms.endProgram();
}

// The notification area went away with the program's only way in and did not
// come back: the main window is shown as it was left, or loaded afresh, so
// the user can reach the program again.
void GhostGuard::bringBackMainWindow()
{
    if (!m_forms.hasEnded() && !isReachable())
        m_forms.load<MainWindowLink>()->showInFront();
}
