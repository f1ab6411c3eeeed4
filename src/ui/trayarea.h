#pragma once

#include <QIcon>
#include <QObject>

class QMenu;

// What the tray-icon control needs from the desktop's notification area.
class TrayArea : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool hasNotificationArea() const = 0;
    virtual void showIcon(const QIcon &icon, const QString &tip) = 0;
    virtual void hideIcon() = 0;
    // True only while an icon really stands in a notification area.
    virtual bool isIconShown() const = 0;
    virtual void popUpMenu(QMenu *menu) = 0;
    // Hands the tray menu to a host that shows a context menu of its own
    // (a StatusNotifierItem host); hosts that report clicks get it through
    // popUpMenu instead.
    virtual void attachMenu(QMenu *menu) = 0;

Q_SIGNALS:
    void activated();     // primary click on the icon
    void menuRequested(); // context click on the icon
    void iconShownChanged(bool shown);
};
