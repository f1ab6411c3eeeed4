#include "createanother.h"

#include "app/forms.h"
#include "app/messageboxes.h"
#include "tolvane.h"
#include "tray/batchmonitor.h"
#include "tray/cssystray.h"

#include <QCoreApplication>

void askCreateAnother(Forms &forms)
{
    const bool another = forms.services().messages.askYesNo(QCoreApplication::translate(
        "TolvaneConfirm", "Would you like to create another batch file?"));
    if (forms.hasEnded()) // the tray menu's Exit while the question was open
        return;
    if (another) {
        // A main window loaded hidden (by a click on "Show this window in the
        // future") is only shown; a fresh one opens as usual.
        forms.get<Tolvane>()->show();
    } else if (forms.get<BatchMonitor>()->csSysTray1()->InTray()) {
        forms.unload<Tolvane>();
    } else {
        forms.endProgram();
    }
}
