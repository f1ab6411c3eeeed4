#pragma once

#include "ui/trayarea.h"

#include <QPointer>

#include <QMenu>

// A notification area for tests: it records what is shown and can raise the
// icon's two pointer events.
class FakeTrayArea : public TrayArea
{
    Q_OBJECT

public:
    using TrayArea::TrayArea;

    bool hasNotificationArea() const override { return available; }

    void showIcon(const QIcon &icon, const QString &tip) override
    {
        if (!available)
            return;
        shownIcon = icon;
        shownTip = tip;
        setShown(true);
    }

    void hideIcon() override { setShown(false); }
    bool isIconShown() const override { return m_shown; }

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

private:
    void setShown(bool shown)
    {
        const bool changed = shown != m_shown;
        m_shown = shown;
        if (changed)
            Q_EMIT iconShownChanged(shown);
    }

    bool m_shown = false;
};
