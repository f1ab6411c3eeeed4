#pragma once

#include "notificationareawatch.h"
#include "ui/trayarea.h"

#include <QPointer>
#include <QSystemTrayIcon>

// The desktop's notification area through QSystemTrayIcon. Qt embeds the icon
// in an XEmbed area, which reports both clicks, unless a StatusNotifierItem
// host is registered on the session bus; such a host may show the icon's
// menu by itself instead of reporting the context click.
//
// Qt picks the kind once per process, when the first QSystemTrayIcon is
// made, so the icon is made only once an area of some kind is there. Qt then
// takes a shown icon back into a returning area of its kind by itself.
class SystemTrayArea : public TrayArea
{
    Q_OBJECT

public:
    enum class Host { None, XEmbed, StatusNotifier };

    // Follows the desktop's notification areas.
    explicit SystemTrayArea(QObject *parent = nullptr);
    // As if the desktop offered an area of the given kind (None: no area);
    // what it offers later is reported through watch().
    SystemTrayArea(Host offered, QObject *parent);

    // The kind the icon was made for; None until there is an icon.
    Host host() const { return m_host; }
    NotificationAreaWatch &watch() { return m_watch; }

    bool hasNotificationArea() const override;
    void popUpMenu(QMenu *menu) override;
    void attachMenu(QMenu *menu) override;

protected:
    void placeIcon(const QIcon &icon, const QString &tip) override;
    void removeIcon() override;

private:
    void onAreasChanged();
    void makeIcon();
    void giveMenuToHost();
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    NotificationAreaWatch m_watch;
    QSystemTrayIcon *m_icon = nullptr;
    Host m_host = Host::None;
    QIcon m_image;
    QString m_tip;
    QPointer<QMenu> m_menu;
    bool m_poppingUp = false;
    bool m_hostShowsMenu = false;
};
