#pragma once

#include <QRect>
#include <QString>

class MessageBoxes;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls every window of the program is built from, each given its
// object name (which tests and screen readers find it by) and placed at its
// fixed position.
namespace Controls {

// Word-wrapped, aligned to the top left.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QRect geometry);
// A one-line text box that holds at most longestAnswer characters.
QLineEdit *makeTextBox(QWidget *parent, const char *name, QRect geometry);
// Shows `message` once the event in hand is done whenever the box refuses
// text: a paste or a keystroke that would go past its length. Never more
// than one such message at a time.
void sayWhenCut(QLineEdit *box, MessageBoxes &messages, const QString &message);
// A push button that Enter presses while it has the focus, as Space does,
// as large as its text needs in the font it is shown in.
QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, QRect geometry,
                        const QString &toolTip = {});
// Lets Enter and Return press a button while it has the focus. No window has a
// default button, so Enter in a text box presses nothing.
void pressOnEnter(QAbstractButton *button);

} // namespace Controls
