#include "trayactivation.h"

#include "core/unloadmarker.h"
#include "trayhost.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/trayiconcontrol.h"

void TrayActivation::trayHostActivated(Forms &forms, TrayHost &trayHost)
{
    UnloadMarker::set(forms.services().settings);
    MainWindowLink *mainWindow = forms.load<MainWindowLink>();
    if (mainWindow->isShown()) {
        trayHost.trayIconControl()->sendWindowToTray(trayHost.winId());
        mainWindow->sendToTray();
        trayHost.hide();
        return;
    }
    trayHost.trayIconControl()->restoreWindowFromTray(trayHost.winId());
    mainWindow->showInFront();
    trayHost.hide();
}
