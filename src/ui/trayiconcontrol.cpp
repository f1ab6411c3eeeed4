#include "trayiconcontrol.h"

#include "trayarea.h"

#include <QMenu>

TrayIconControl::TrayIconControl(QObject *parent, TrayArea *area) : QObject(parent), m_area(area)
{
    if (m_area) {
        connect(m_area, &TrayArea::activated, this, &TrayIconControl::trayActivate);
        connect(m_area, &TrayArea::menuRequested, this, &TrayIconControl::trayMenuRequest);
    }
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

// The program keeps nothing else per window in tray mode; the mode is kept so
// it can be seen which one the window was last given.
void TrayIconControl::trayModeOn(WId)
{
    m_trayMode = TrayMode::On;
}

void TrayIconControl::trayModeOff(WId)
{
    m_trayMode = TrayMode::Off;
}

void TrayIconControl::sendWindowToTray(WId window)
{
    if (QWidget *widget = QWidget::find(window))
        widget->hide();
}

void TrayIconControl::restoreWindowFromTray(WId window)
{
    if (QWidget *widget = QWidget::find(window)) {
        widget->show();
        widget->raise();
    }
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
