#include "systemtrayarea.h"

#include <QCursor>
#include <QMenu>

SystemTrayArea::SystemTrayArea(QObject *parent) : TrayArea(parent)
{
    connect(&m_watch, &NotificationAreaWatch::changed, this, &SystemTrayArea::onAreasChanged);
    m_watch.followDesktop();
}

SystemTrayArea::SystemTrayArea(Host offered, QObject *parent) : TrayArea(parent)
{
    connect(&m_watch, &NotificationAreaWatch::changed, this, &SystemTrayArea::onAreasChanged);
    m_watch.reportXEmbedTray(offered == Host::XEmbed);
    m_watch.reportStatusNotifierHost(offered == Host::StatusNotifier);
}

// Once the icon is made, only an area of its kind can hold it.
bool SystemTrayArea::hasNotificationArea() const
{
    switch (m_host) {
    case Host::StatusNotifier:
        return m_watch.hasStatusNotifierHost();
    case Host::XEmbed:
        return m_watch.hasXEmbedTray();
    case Host::None:
        break;
    }
    return false;
}

// An XEmbed tray counts only once the session bus has said whether a
// StatusNotifierItem host is there too, since Qt would prefer that one.
void SystemTrayArea::onAreasChanged()
{
    if (!m_icon &&
        (m_watch.hasStatusNotifierHost() || (m_watch.isSettled() && m_watch.hasXEmbedTray())))
        makeIcon();
    notifyAreaChanged();
}

void SystemTrayArea::makeIcon()
{
    m_host = m_watch.hasStatusNotifierHost() ? Host::StatusNotifier : Host::XEmbed;
    m_icon = new QSystemTrayIcon(this);
    m_icon->setObjectName(QStringLiteral("TolvaneTrayIcon"));
    connect(m_icon, &QSystemTrayIcon::activated, this, &SystemTrayArea::onActivated);
    giveMenuToHost();
    if (isIconWanted())
        placeIcon(m_image, m_tip);
}

void SystemTrayArea::placeIcon(const QIcon &icon, const QString &tip)
{
    m_image = icon;
    m_tip = tip;
    if (!m_icon)
        return;
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    m_icon->show();
}

// The icon stays shown while an area goes away, so that Qt puts it back
// when one returns.
void SystemTrayArea::removeIcon()
{
    if (m_icon)
        m_icon->hide();
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

void SystemTrayArea::attachMenu(QMenu *menu)
{
    m_menu = menu;
    giveMenuToHost();
}

// Given to Qt only for a StatusNotifierItem host: the XEmbed icon would pop an
// attached menu up by itself on the same click that asks for it. The host
// announces showing its copy of the menu with the menu's aboutToShow (one not
// caused here) and its closing with aboutToHide.
void SystemTrayArea::giveMenuToHost()
{
    if (!m_icon || !m_menu || m_host != Host::StatusNotifier)
        return;
    m_icon->setContextMenu(m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        if (!m_poppingUp)
            m_hostShowsMenu = true;
    });
    connect(m_menu, &QMenu::aboutToHide, this, [this] { m_hostShowsMenu = false; });
}

void SystemTrayArea::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        Q_EMIT activated();
    else if (reason == QSystemTrayIcon::Context)
        Q_EMIT menuRequested();
}
