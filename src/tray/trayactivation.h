#pragma once

class Forms;

// What activating the tray icon does to the main window.
namespace TrayActivation {

// Shows the main window, loading it hidden first if need be, or hides it when
// it is visible. The unload marker it writes first keeps a load here from
// running the main window's start-up work, and keeps a later close of a main
// window found loaded from ending the program.
void trayIconActivated(Forms &forms);

} // namespace TrayActivation
