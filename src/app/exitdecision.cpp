#include "exitdecision.h"

#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/trayhostlink.h"

void exitDecision(Forms &forms)
{
    const bool mainChecked = forms.load<MainWindowLink>()->isLoadOnStartupChecked();
    TrayHostLink *trayHost = forms.load<TrayHostLink>();
    if (!mainChecked && !trayHost->isLoadOnStartupChecked())
        trayHost->setInTray(false);
    if (trayHost->isInTray())
        forms.unload<MainWindowLink>(); // completes a close that is already under way
    else
        forms.endProgram();
}
