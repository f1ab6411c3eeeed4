#include "createanother.h"

#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/messageboxes.h"
#include "ui/trayhostlink.h"

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
        forms.load<MainWindowLink>()->showInFront();
    } else if (forms.load<TrayHostLink>()->isInTray()) {
        forms.unload<MainWindowLink>();
    } else {
        forms.endProgram();
    }
}
