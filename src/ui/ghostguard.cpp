#include "ghostguard.h"

#include "forms.h"
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
}

bool GhostGuard::isReachable() const
{
    if (m_trayArea.isIconShown() || QApplication::activeModalWidget())
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
