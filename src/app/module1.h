#pragma once

class Forms;

namespace Module1 {

// The start-up procedure, run by the tray host's load handling: load the main
// window (its load handling runs completely), then show it.
void startUp(Forms &forms);

} // namespace Module1
