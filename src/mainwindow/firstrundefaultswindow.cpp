#include "firstrundefaultswindow.h"

#include "core/settingsentries.h"
#include "core/settingsstore.h"
#include "ui/forms.h"

FirstRunDefaultsWindow::FirstRunDefaultsWindow(Forms &forms) : Form(forms)
{
    setObjectName(QStringLiteral("Settings"));
}

void FirstRunDefaultsWindow::loadHandling()
{
    using namespace SettingsEntries;
    SettingsStore &store = services().settings;
    store.write(firstTime, firstTime.onText);
    store.write(loadOnStartup, on);
    store.write(showConfirmation, on);
    store.write(enableTrayDialog, on);
}
