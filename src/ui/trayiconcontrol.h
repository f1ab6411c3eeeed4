#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QMenu;
class TrayArea;

// The tray-icon control. Only an instance given a notification area ever puts
// an icon there; the others just carry the window operations.
class TrayIconControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool InTray READ inTray WRITE setInTray)

public:
    enum class TrayMode { Unset, On, Off };

    explicit TrayIconControl(QObject *parent, TrayArea *area = nullptr);
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

    void trayModeOn(WId window);
    void trayModeOff(WId window);
    TrayMode trayMode() const { return m_trayMode; }

    void sendWindowToTray(WId window);
    void restoreWindowFromTray(WId window);
    void showTrayMenu(QMenu *menu);
    // The menu ShowTrayMenu will be given, for hosts that open it themselves.
    void attachTrayMenu(QMenu *menu);

Q_SIGNALS:
    void trayActivate();
    void trayMenuRequest();

private:
    QPointer<TrayArea> m_area;
    QIcon m_icon;
    QString m_tip;
    bool m_putInTray = false;
    TrayMode m_trayMode = TrayMode::Unset;
};
