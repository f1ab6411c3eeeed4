#pragma once

class QWidget;

// Every window's frame, and so its title bar, lies on the screen's available
// area: a window that fits there lies wholly on it, a larger one has its top
// left corner at the area's top left corner (its controls are all reached
// with the keyboard).

// Puts a top-level window at the centre of the screen it will appear on. One
// whose size may change is first made no larger than that screen's area.
void centreOnScreen(QWidget *window);
// Leaves a window where it is as far as it lies on the screen's area, and
// moves it onto the area as far as it does not.
void keepOnScreen(QWidget *window);
