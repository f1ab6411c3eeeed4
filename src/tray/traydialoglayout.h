#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// The frame the two tray dialogs share: a fixed-size dialog window with a
// close box only, the information icon in the top left corner and the text
// to its right, centred on the screen.
namespace TrayDialogLayout {

void makeDialogWindow(QWidget *dialog, const char *name, const QString &caption);
QLabel *addInformationIcon(QWidget *dialog);
QLabel *addText(QWidget *dialog, const QString &text, QRect geometry);

// Grows the text so none of it is clipped, moves the controls under it down
// by as much, fixes the window's size and centres it.
void finish(QWidget *dialog, QSize baseSize, QLabel *text, const QList<QWidget *> &below);

} // namespace TrayDialogLayout
