#pragma once

class QAbstractButton;
class QLabel;

// The stand-in fonts are wider than MS Sans Serif, which the layouts were drawn for. A label whose
// text needs more lines than its planned height holds grows downwards, and
// moves up as far as its parent's edge requires, so no text is ever clipped.
void fitLabelToText(QLabel *label);
// A one-line label grows to the right as far as its text needs, up to
// `rightMargin` from its parent's edge, and only then wraps downwards.
void widenLabelToText(QLabel *label, int rightMargin);
// A button takes the desktop's font, which may be larger than the layout was
// drawn for: it grows to the size its text needs, equally to both sides, so a
// row of buttons stays centred, and stays inside its parent.
void fitButtonToText(QAbstractButton *button);
