#pragma once

class BatchMonitor;
class Forms;
class Tolvane;

// What activating a tray control does to the main window.
namespace TrayActivation {

// The tray icon: shows the main window, loading it hidden first if need be,
// or hides it when it is visible. The unload marker it writes first keeps a
// load here from running the main window's start-up work, and keeps a later
// close of a main window found loaded from ending the program.
void trayHostActivated(Forms &forms, BatchMonitor &trayHost);

// The main window's own control: hides that window or shows it again.
void mainWindowActivated(Tolvane &mainWindow);

} // namespace TrayActivation
