#pragma once

#include "trayarea.h"

#include <QSystemTrayIcon>

// The desktop's notification area through QSystemTrayIcon.
class SystemTrayArea : public TrayArea
{
    Q_OBJECT

public:
    explicit SystemTrayArea(QObject *parent = nullptr);

    bool hasNotificationArea() const override;
    void showIcon(const QIcon &icon, const QString &tip) override;
    void hideIcon() override;
    bool isIconShown() const override;
    void popUpMenu(QMenu *menu) override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
};
