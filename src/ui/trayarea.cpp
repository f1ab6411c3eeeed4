#include "trayarea.h"

using namespace std::chrono_literals;

TrayArea::TrayArea(QObject *parent) : QObject(parent)
{
    // Long enough for a panel to restart, short enough that a user who hid
    // the window into the tray is not left waiting with nothing to click.
    m_grace.setSingleShot(true);
    m_grace.setInterval(3s);
    connect(&m_grace, &QTimer::timeout, this, &TrayArea::graceEnded);
}

void TrayArea::showIcon(const QIcon &icon, const QString &tip)
{
    m_wanted = true;
    placeIcon(icon, tip);
    updateShown();
}

void TrayArea::hideIcon()
{
    m_wanted = false;
    m_grace.stop();
    removeIcon();
    updateShown();
}

void TrayArea::notifyAreaChanged()
{
    if (hasNotificationArea())
        m_grace.stop();
    else if (m_shown)
        m_grace.start();
    updateShown();
}

void TrayArea::updateShown()
{
    const bool shown = isIconShown();
    if (shown == m_shown)
        return;
    m_shown = shown;
    Q_EMIT iconShownChanged(shown);
}

void TrayArea::graceEnded()
{
    if (m_wanted && !hasNotificationArea())
        Q_EMIT areaLost();
}
