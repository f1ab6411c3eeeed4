#include "cssystray.h"

#include "trayarea.h"

#include <QMenu>

csSysTray::csSysTray(QObject *parent, TrayArea *area) : QObject(parent), m_area(area)
{
    if (m_area) {
        connect(m_area, &TrayArea::activated, this, &csSysTray::TrayActivate);
        connect(m_area, &TrayArea::menuRequested, this, &csSysTray::TrayMenuRequest);
    }
}

// The icon goes with the window that owns it.
csSysTray::~csSysTray()
{
    if (m_area && m_putInTray)
        m_area->hideIcon();
}

bool csSysTray::InTray() const
{
    return m_putInTray && m_area && m_area->isIconShown();
}

void csSysTray::setInTray(bool inTray)
{
    m_putInTray = inTray;
    if (!m_area)
        return;
    if (inTray)
        m_area->showIcon(m_icon, m_tip);
    else
        m_area->hideIcon();
}

// The program keeps nothing else per window in tray mode; the mode is kept so
// it can be seen which one the window was last given.
void csSysTray::TrayModeOn(WId)
{
    m_trayMode = TrayMode::On;
}

void csSysTray::TrayModeOff(WId)
{
    m_trayMode = TrayMode::Off;
}

void csSysTray::SendWindowToTray(WId window)
{
    if (QWidget *widget = QWidget::find(window))
        widget->hide();
}

void csSysTray::RestoreWindowFromTray(WId window)
{
    if (QWidget *widget = QWidget::find(window)) {
        widget->show();
        widget->raise();
    }
}

void csSysTray::ShowTrayMenu(QMenu *menu)
{
    if (m_area && menu)
        m_area->popUpMenu(menu);
}

void csSysTray::attachTrayMenu(QMenu *menu)
{
    if (m_area && menu)
        m_area->attachMenu(menu);
}
