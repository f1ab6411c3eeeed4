#pragma once

class Forms;

// The question after a batch file is confirmed. Yes brings the main window
// back; No leaves the program in the tray while its icon is shown, and ends it
// otherwise.
void askCreateAnother(Forms &forms);
