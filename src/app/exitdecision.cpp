#include "exitdecision.h"

#include "creator/tolvane.h"
#include "forms.h"
#include "tray/batchmonitor.h"
#include "tray/cssystray.h"

#include <QAction>

void exitDecision(Forms &forms)
{
    const bool mainChecked = forms.get<Tolvane>()->mnuLoadTrayIcononStartup()->isChecked();
    BatchMonitor *trayHost = forms.get<BatchMonitor>();
    const bool trayChecked = trayHost->mnucsSysTray1LoadonStartup()->isChecked();
    if (!mainChecked && !trayChecked)
        trayHost->csSysTray1()->setInTray(false);
    if (trayHost->csSysTray1()->InTray())
        forms.unload<Tolvane>(); // completes a close that is already under way
    else
        forms.endProgram();
}
