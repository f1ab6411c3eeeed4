#include "unloadmarker.h"

#include "settingskeys.h"
#include "settingsstore.h"

using namespace SettingsKeys;

void UnloadMarker::set(SettingsStore &store)
{
    store.write(unloadMarker.section, unloadMarker.key, unloadMarkerValue);
}

bool UnloadMarker::consume(SettingsStore &store)
{
    if (!store.isExactly(unloadMarker.section, unloadMarker.key, unloadMarkerValue))
        return false;
    store.deleteSection(unloadMarker.section);
    return true;
}
