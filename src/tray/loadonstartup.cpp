#include "loadonstartup.h"

#include "core/preferences.h"
#include "core/unloadmarker.h"
#include "disabletrayicondialog.h"
#include "enabletrayicondialog.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"
#include "ui/trayhostlink.h"

void LoadOnStartup::trayItemClicked(Forms &forms, bool checked)
{
    Preferences preferences(forms.services().settings);
    if (checked) {
        // May load the main window, whose load handling then sets both
        // checkmarks from the value stored before this change.
        forms.load<MainWindowLink>()->setLoadOnStartupChecked(true);
        preferences.setLoadOnStartup(true);
        forms.load<EnableTrayIconDialog>();
        return;
    }
    UnloadMarker::set(forms.services().settings);
    forms.load<TrayHostLink>()->setLoadOnStartupChecked(false);
    forms.load<MainWindowLink>()->setLoadOnStartupChecked(false);
    preferences.setLoadOnStartup(false);
    forms.load<DisableTrayIconDialog>();
}
