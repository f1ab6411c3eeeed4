#include "loadonstartup.h"

#include "app/forms.h"
#include "app/settingskeys.h"
#include "app/settingsstore.h"
#include "app/unloadmarker.h"
#include "batchmonitor.h"
#include "creator/tolvane.h"
#include "disabletrayicon.h"
#include "enabletrayicon.h"

#include <QAction>

namespace {

void store(Forms &forms, bool on)
{
    using namespace SettingsKeys;
    forms.services().settings.write(loadOnStartup.section, loadOnStartup.key, flag(on));
}

} // namespace

void LoadOnStartup::trayItemClicked(Forms &forms)
{
    QAction *trayItem = forms.get<BatchMonitor>()->mnucsSysTray1LoadonStartup();
    if (trayItem->isChecked()) {
        // May load the main window, whose load handling then sets both
        // checkmarks from the value stored before this change.
        forms.get<Tolvane>()->mnuLoadTrayIcononStartup()->setChecked(true);
        store(forms, true);
        forms.get<EnableTrayIcon>();
        return;
    }
    UnloadMarker::set(forms.services().settings);
    trayItem->setChecked(false);
    forms.get<Tolvane>()->mnuLoadTrayIcononStartup()->setChecked(false);
    store(forms, false);
    forms.get<DisableTrayIcon>();
}

void LoadOnStartup::viewItemClicked(Forms &forms)
{
    const bool on = forms.get<Tolvane>()->mnuLoadTrayIcononStartup()->isChecked();
    forms.get<BatchMonitor>()->mnucsSysTray1LoadonStartup()->setChecked(on);
    store(forms, on);
    if (on)
        forms.get<EnableTrayIcon>();
    else
        forms.get<DisableTrayIcon>();
}
