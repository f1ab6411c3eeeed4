#pragma once

#include <functional>

class DriveMap;
class HelpViewer;
class MessageBoxes;
class SettingsStore;
class TrayArea;

// What every window may use of the world outside it. Tests hand in fakes.
struct Services
{
    SettingsStore &settings;
    MessageBoxes &messages;
    TrayArea &trayArea;
    const DriveMap &drives;
    HelpViewer &helpViewer;
    // Ends the process; by the time it is called every window is hidden.
    std::function<void()> quit;
};
