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
        // Stored first: a main window loaded here reads it, keeps the icon
        // and sets both checkmarks from it.
        preferences.setLoadOnStartup(true);
        forms.load<MainWindowLink>()->setLoadOnStartupChecked(true);
        forms.load<EnableTrayIconDialog>();
        return;
    }
    UnloadMarker::set(forms.services().settings);
    forms.load<TrayHostLink>()->setLoadOnStartupChecked(false);
    forms.load<MainWindowLink>()->setLoadOnStartupChecked(false);
    preferences.setLoadOnStartup(false);
    forms.load<DisableTrayIconDialog>();
}
