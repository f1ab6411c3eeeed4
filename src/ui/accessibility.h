#pragma once

class QWidget;

// What assistive technology is told about the program's windows.
namespace Accessibility {

// Presents a plain window as the dialog its users see, rather than as the
// unnamed panel a QWidget window is taken for; not a QDialog, so Esc and the
// default button stay as the window has them.
void presentAsDialog(QWidget *window);

} // namespace Accessibility
