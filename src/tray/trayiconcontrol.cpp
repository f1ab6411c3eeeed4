#include "trayiconcontrol.h"

#include "ui/trayarea.h"

#include <QMenu>

TrayIconControl::TrayIconControl(TrayArea &area, QObject *parent) : QObject(parent), m_area(&area)
{
    connect(m_area, &TrayArea::activated, this, &TrayIconControl::trayActivate);
    connect(m_area, &TrayArea::menuRequested, this, &TrayIconControl::trayMenuRequest);
}

// The icon goes with the window that owns it.
TrayIconControl::~TrayIconControl()
{
    if (m_area && m_putInTray)
        m_area->hideIcon();
}

bool TrayIconControl::isIconReachable() const
{
    return m_putInTray && m_area && m_area->isIconReachable();
}

void TrayIconControl::setInTray(bool inTray)
{
    m_putInTray = inTray;
    if (!m_area)
        return;
    if (inTray)
        m_area->showIcon(m_icon, m_tip);
    else
        m_area->hideIcon();
}

void TrayIconControl::showTrayMenu(QMenu *menu)
{
    if (m_area && menu)
        m_area->popUpMenu(menu);
}

void TrayIconControl::attachTrayMenu(QMenu *menu)
{
    if (m_area && menu)
        m_area->attachMenu(menu);
}
