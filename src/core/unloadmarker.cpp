#include "unloadmarker.h"

#include "settingsentries.h"
#include "settingsstore.h"

using SettingsEntries::unloadMarker;

void UnloadMarker::set(SettingsStore &store)
{
    store.write(unloadMarker, text());
}

// Only the exact text is the marker; anything else there is left alone.
bool UnloadMarker::consume(SettingsStore &store)
{
    if (!store.isExactly(unloadMarker.section, unloadMarker.key, text()))
        return false;
    store.deleteSection(unloadMarker.section);
    return true;
}
