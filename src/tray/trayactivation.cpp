#include "trayactivation.h"

#include "core/unloadmarker.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"

void TrayActivation::trayIconActivated(Forms &forms)
{
    UnloadMarker::set(forms.services().settings);
    MainWindowLink *mainWindow = forms.load<MainWindowLink>();
    if (mainWindow->isShown())
        mainWindow->sendToTray();
    else
        mainWindow->showInFront();
}
