#include "trayactivation.h"

#include "app/forms.h"
#include "app/settingsstore.h"
#include "app/unloadmarker.h"
#include "batchmonitor.h"
#include "creator/tolvane.h"
#include "cssystray.h"

void TrayActivation::trayHostActivated(Forms &forms, BatchMonitor &trayHost)
{
    UnloadMarker::set(forms.services().settings);
    Tolvane *mainWindow = forms.get<Tolvane>();
    if (mainWindow->isVisible()) {
        trayHost.csSysTray1()->SendWindowToTray(trayHost.winId());
        mainWindow->hide(); // stays loaded with everything typed into it
        trayHost.hide();
        return;
    }
    trayHost.csSysTray1()->RestoreWindowFromTray(trayHost.winId());
    if (mainWindow->isMinimized())
        mainWindow->showNormal(); // a minimised window could not take the focus
    else
        mainWindow->show();
    trayHost.hide();
    mainWindow->raise();
    mainWindow->activateWindow();
}

void TrayActivation::mainWindowActivated(Tolvane &mainWindow)
{
    if (mainWindow.isVisible())
        mainWindow.csSysTray1()->SendWindowToTray(mainWindow.winId());
    else
        mainWindow.csSysTray1()->RestoreWindowFromTray(mainWindow.winId());
}
