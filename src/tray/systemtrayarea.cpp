#include "systemtrayarea.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QMenu>

SystemTrayArea::SystemTrayArea(QObject *parent) : SystemTrayArea(detectHost(), parent) {}

SystemTrayArea::SystemTrayArea(Host host, QObject *parent)
    : TrayArea(parent), m_icon(this), m_host(host)
{
    m_icon.setObjectName(QStringLiteral("TolvaneTrayIcon"));
    connect(&m_icon, &QSystemTrayIcon::activated, this, &SystemTrayArea::onActivated);
}

// The same test Qt makes when it picks the kind of tray icon: a watcher on the
// session bus that reports a registered host.
SystemTrayArea::Host SystemTrayArea::detectHost()
{
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher))
        return Host::XEmbed;
    QDBusInterface watcherObject(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return watcherObject.property("IsStatusNotifierHostRegistered").toBool() ? Host::StatusNotifier
                                                                             : Host::XEmbed;
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

// A menu that is open already, here or in the host, is not opened again.
void SystemTrayArea::popUpMenu(QMenu *menu)
{
    if (menu->isVisible() || m_hostShowsMenu)
        return;
    m_poppingUp = true;
    menu->popup(QCursor::pos());
    m_poppingUp = false;
}

// Given to Qt only for a StatusNotifierItem host: the XEmbed icon would pop an
// attached menu up by itself on the same click that asks for it. The host
// announces showing its copy of the menu with the menu's aboutToShow (one not
// caused here) and its closing with aboutToHide.
void SystemTrayArea::attachMenu(QMenu *menu)
{
    if (m_host != Host::StatusNotifier)
        return;
    m_icon.setContextMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, [this] {
        if (!m_poppingUp)
            m_hostShowsMenu = true;
    });
    connect(menu, &QMenu::aboutToHide, this, [this] { m_hostShowsMenu = false; });
}

void SystemTrayArea::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        Q_EMIT activated();
    else if (reason == QSystemTrayIcon::Context)
        Q_EMIT menuRequested();
}
