#pragma once

class QLabel;

// The stand-in fonts are wider than the designs' MS Sans Serif. A label whose
// text needs more lines than its design height holds grows downwards, and
// moves up as far as its parent's edge requires, so no text is ever clipped.
void fitLabelToText(QLabel *label);
