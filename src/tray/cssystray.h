#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QMenu;
class TrayArea;

// The tray-icon control. Only an instance given a notification area ever puts
// an icon there; the others just carry the window operations.
class csSysTray : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool InTray READ InTray WRITE setInTray)

public:
    enum class TrayMode { Unset, On, Off };

    explicit csSysTray(QObject *parent, TrayArea *area = nullptr);
    ~csSysTray() override;

    void setTrayIcon(const QIcon &icon) { m_icon = icon; }
    void setTrayTip(const QString &tip) { m_tip = tip; }
    QString trayTip() const { return m_tip; }

    // True only while the icon really stands in a notification area, so a
    // desktop without one never keeps the program running out of reach.
    bool InTray() const;
    void setInTray(bool inTray);

    void TrayModeOn(WId window);
    void TrayModeOff(WId window);
    TrayMode trayMode() const { return m_trayMode; }

    void SendWindowToTray(WId window);
    void RestoreWindowFromTray(WId window);
    void ShowTrayMenu(QMenu *menu);
    // The menu ShowTrayMenu will be given, for hosts that open it themselves.
    void attachTrayMenu(QMenu *menu);

Q_SIGNALS:
    void TrayActivate();
    void TrayMenuRequest();

private:
    QPointer<TrayArea> m_area;
    QIcon m_icon;
    QString m_tip;
    bool m_putInTray = false;
    TrayMode m_trayMode = TrayMode::Unset;
};
