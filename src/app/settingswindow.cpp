#include "settingswindow.h"

#include "forms.h"
#include "settingskeys.h"
#include "settingsstore.h"

Settings::Settings(Forms &forms) : Form(forms)
{
    setObjectName(QStringLiteral("Settings"));
}

void Settings::loadHandling()
{
    using namespace SettingsKeys;
    SettingsStore &store = services().settings;
    store.write(firstTime.section, firstTime.key, firstTimeValue);
    store.write(loadOnStartup.section, loadOnStartup.key, on);
    store.write(showConfirmation.section, showConfirmation.key, on);
    store.write(enableTrayDialog.section, enableTrayDialog.key, on);
}
