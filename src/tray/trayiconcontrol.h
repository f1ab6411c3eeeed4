#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>

class QMenu;
class TrayArea;

// The tray host's icon in the notification area: what the program last put
// (InTray), whether anybody can reach it there, and the two clicks on it.
class TrayIconControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool InTray READ inTray WRITE setInTray)

public:
    TrayIconControl(TrayArea &area, QObject *parent);
    ~TrayIconControl() override;

    void setTrayIcon(const QIcon &icon) { m_icon = icon; }
    void setTrayTip(const QString &tip) { m_tip = tip; }

    // What the program last put.
    bool inTray() const { return m_putInTray; }
    void setInTray(bool inTray);
    // True only while the icon the program put there stands in a notification
    // area (or its area has just gone and may come back), so a desktop
    // without one never keeps the program running out of reach.
    bool isIconReachable() const;

    void showTrayMenu(QMenu *menu);
    // The menu showTrayMenu will be given, for hosts that open it themselves.
    void attachTrayMenu(QMenu *menu);

Q_SIGNALS:
    void trayActivate();
    void trayMenuRequest();

private:
    QPointer<TrayArea> m_area;
    QIcon m_icon;
    QString m_tip;
    bool m_putInTray = false;
};
