#include "loadonstartup.h"

#include "core/settingsentries.h"
#include "core/settingsstore.h"
#include "core/unloadmarker.h"
#include "disabletrayicondialog.h"
#include "enabletrayicondialog.h"
#include "trayhost.h"
#include "ui/forms.h"
#include "ui/mainwindowlink.h"

#include <QAction>

namespace {

void store(Forms &forms, bool on)
{
    using namespace SettingsEntries;
    forms.services().settings.write(loadOnStartup, flag(on));
}

} // namespace

void LoadOnStartup::trayItemClicked(Forms &forms)
{
    QAction *trayItem = forms.load<TrayHost>()->loadOnStartupItem();
    if (trayItem->isChecked()) {
        // May load the main window, whose load handling then sets both
        // checkmarks from the value stored before this change.
        forms.load<MainWindowLink>()->setLoadOnStartupChecked(true);
        store(forms, true);
        forms.load<EnableTrayIconDialog>();
        return;
    }
    UnloadMarker::set(forms.services().settings);
    trayItem->setChecked(false);
    forms.load<MainWindowLink>()->setLoadOnStartupChecked(false);
    store(forms, false);
    forms.load<DisableTrayIconDialog>();
}
