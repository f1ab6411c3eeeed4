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
    // The program-wide procedures, provided by the wiring above the windows:
    // what happens at start-up, what closing the main window or its Exit does,
    // and the defaults of a first run.
    std::function<void()> startUp;
    std::function<void()> exitDecision;
    // Writes the first-run defaults, at most once in a run.
    std::function<void()> firstRunDefaults;
};
