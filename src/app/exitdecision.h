#pragma once

class Forms;

// What closing the main window or its Exit does: with both "Load Tray Icon on
// Startup" checkmarks clear the icon goes; then the program stays in the tray
// if the icon is shown, and ends otherwise.
void exitDecision(Forms &forms);
