#pragma once

#include "ui/trayarea.h"

#include <QPointer>

#include <QMenu>

// A notification area for tests: it records what is shown, can raise the
// icon's two pointer events, and can come and go as a panel does.
class FakeTrayArea : public TrayArea
{
    Q_OBJECT

public:
    using TrayArea::TrayArea;

    bool hasNotificationArea() const override { return available; }

    // The panel appears or goes away.
    void setAvailable(bool present)
    {
        available = present;
        notifyAreaChanged();
    }

    void popUpMenu(QMenu *menu) override
    {
        poppedUpMenu = menu;
        ++menuPopUps;
    }

    void attachMenu(QMenu *menu) override { attachedMenu = menu; }

    void click() { Q_EMIT activated(); }
    void contextClick() { Q_EMIT menuRequested(); }

    bool available = true;
    QIcon shownIcon;
    QString shownTip;
    QPointer<QMenu> poppedUpMenu;
    int menuPopUps = 0;
    QPointer<QMenu> attachedMenu;

protected:
    void placeIcon(const QIcon &icon, const QString &tip) override
    {
        shownIcon = icon;
        shownTip = tip;
    }
    void removeIcon() override {}
};
