#include "unloadmarker.h"

#include "settingsstore.h"

using SettingsEntries::unloadMarker;

void UnloadMarker::set(SettingsStore &store)
{
    store.write(unloadMarker, unloadMarker.onText);
}

bool UnloadMarker::consume(SettingsStore &store)
{
    if (!store.isOn(unloadMarker))
        return false;
    store.deleteSection(unloadMarker.section);
    return true;
}
