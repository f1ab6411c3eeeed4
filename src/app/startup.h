#pragma once

class Forms;

// The start-up procedure, run by the tray host's load handling: load the main
// window (its load handling runs completely), then show it.
namespace StartUp {

void run(Forms &forms);

} // namespace StartUp
