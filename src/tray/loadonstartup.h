#pragma once

class Forms;

// The "Load Tray Icon on Startup" preference, switched from the tray menu or
// from the main window's View menu. Each handler runs after Qt has inverted
// the item's checkmark and acts on the new state: switching on keeps the other
// checkmark in step, stores "1" and opens the enable dialog; switching off
// does the same with "0" and the disable dialog.
namespace LoadOnStartup {

// The tray menu's item. Switching off writes the unload marker first, so a
// main window loaded by clearing its checkmark stays hidden, and a loaded one
// only unloads on its next close, leaving the program in the tray.
void trayItemClicked(Forms &forms);

// The main window's View item. Writes no marker.
void viewItemClicked(Forms &forms);

} // namespace LoadOnStartup
