#pragma once

#include "ui/trayarea.h"

#include <QSystemTrayIcon>

// The desktop's notification area through QSystemTrayIcon. Qt embeds the icon
// in an XEmbed area, which reports both clicks, unless a StatusNotifierItem
// host is registered on the session bus; such a host may show the icon's
// menu by itself instead of reporting the context click.
class SystemTrayArea : public TrayArea
{
    Q_OBJECT

public:
    enum class Host { XEmbed, StatusNotifier };

    // Asks the session bus which kind of host Qt will use.
    explicit SystemTrayArea(QObject *parent = nullptr);
    SystemTrayArea(Host host, QObject *parent);

    static Host detectHost();
    Host host() const { return m_host; }

    bool hasNotificationArea() const override;
    void showIcon(const QIcon &icon, const QString &tip) override;
    void hideIcon() override;
    bool isIconShown() const override;
    void popUpMenu(QMenu *menu) override;
    void attachMenu(QMenu *menu) override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
    Host m_host;
    bool m_poppingUp = false;
    bool m_hostShowsMenu = false;
};
