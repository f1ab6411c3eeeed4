#pragma once

class QWidget;

// Puts a top-level window at the centre of the screen it will appear on.
void centreOnScreen(QWidget *window);
