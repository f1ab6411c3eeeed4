#pragma once

#include <QIcon>
#include <QObject>
#include <QTimer>

#include <chrono>

class QMenu;

// What the tray-icon control needs from the desktop's notification area.
// Areas come and go (panels start late and restart), so the icon is asked for
// rather than shown: it stands in an area whenever there is one, from the
// moment it is asked for until hideIcon. When the area it stood in goes away,
// the icon still counts as reachable for a short grace, in which a restarted
// panel takes it back; after that, areaLost says nobody can reach it there.
class TrayArea : public QObject
{
    Q_OBJECT

public:
    explicit TrayArea(QObject *parent = nullptr);

    // Whether an area that can hold the icon is there, as last heard.
    virtual bool hasNotificationArea() const = 0;
    void showIcon(const QIcon &icon, const QString &tip);
    void hideIcon();
    bool isIconWanted() const { return m_wanted; }
    // True only while an icon really stands in a notification area.
    bool isIconShown() const { return m_wanted && hasNotificationArea(); }
    // Shown, or waiting out the grace for its area to come back.
    bool isIconReachable() const { return isIconShown() || (m_wanted && m_grace.isActive()); }
    void setGrace(std::chrono::milliseconds grace) { m_grace.setInterval(grace); }

    virtual void popUpMenu(QMenu *menu) = 0;
    // Hands the tray menu to a host that shows a context menu of its own
    // (a StatusNotifierItem host); hosts that report clicks get it through
    // popUpMenu instead.
    virtual void attachMenu(QMenu *menu) = 0;

Q_SIGNALS:
    void activated();     // primary click on the icon
    void menuRequested(); // context click on the icon
    void iconShownChanged(bool shown);
    // The area went away while the icon stood there and none came back in time.
    void areaLost();

protected:
    // Implementations say so whenever hasNotificationArea() may have changed.
    void notifyAreaChanged();
    // The icon is wanted (again, or with a new image): put it in the area now
    // if there is one, else as soon as one appears.
    virtual void placeIcon(const QIcon &icon, const QString &tip) = 0;
    virtual void removeIcon() = 0;

private:
    void updateShown();
    void graceEnded();

    QTimer m_grace;
    bool m_wanted = false;
    bool m_shown = false;
};
