#pragma once

class Forms;

// The tray menu's "Load Tray Icon on Startup". The handler runs after Qt has
// inverted the item's checkmark and acts on the new state: switching on stores
// "1", keeps the main window's checkmark in step and opens the enable dialog;
// switching off writes the unload marker first, so a main window
// loaded by clearing its checkmark stays hidden, and a loaded one only unloads
// on its next close, leaving the program in the tray; then it does the same
// with "0" and the disable dialog.
namespace LoadOnStartup {

// `checked`: the item's checkmark as Qt has just inverted it.
void trayItemClicked(Forms &forms, bool checked);

} // namespace LoadOnStartup
