#include "systemtrayarea.h"

#include <QCursor>
#include <QMenu>

SystemTrayArea::SystemTrayArea(QObject *parent) : TrayArea(parent)
{
    m_icon.setObjectName(QStringLiteral("TolvaneTrayIcon"));
    connect(&m_icon, &QSystemTrayIcon::activated, this, &SystemTrayArea::onActivated);
}

bool SystemTrayArea::hasNotificationArea() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayArea::showIcon(const QIcon &icon, const QString &tip)
{
    if (!hasNotificationArea())
        return;
    m_icon.setIcon(icon);
    m_icon.setToolTip(tip);
    const bool wasShown = isIconShown();
    m_icon.show();
    if (!wasShown)
        Q_EMIT iconShownChanged(true);
}

void SystemTrayArea::hideIcon()
{
    const bool wasShown = isIconShown();
    m_icon.hide();
    if (wasShown)
        Q_EMIT iconShownChanged(false);
}

bool SystemTrayArea::isIconShown() const
{
    return m_icon.isVisible() && hasNotificationArea();
}

void SystemTrayArea::popUpMenu(QMenu *menu)
{
    menu->popup(QCursor::pos());
}

void SystemTrayArea::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        Q_EMIT activated();
    else if (reason == QSystemTrayIcon::Context)
        Q_EMIT menuRequested();
}
