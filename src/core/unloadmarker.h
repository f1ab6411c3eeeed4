#pragma once

#include <QString>

class SettingsStore;

// The unload marker tells the main window's next load or unload that the
// program itself, not start-up or the user, is the cause, so it skips its own
// work. Five handlers set it; the main window's load and unload consume it.
namespace UnloadMarker {

// What the marker's entry holds while it is set.
inline QString text()
{
    return QStringLiteral("OK");
}

void set(SettingsStore &store);
// True, and the marker gone, when it was set.
bool consume(SettingsStore &store);

} // namespace UnloadMarker
