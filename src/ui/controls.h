#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls every window of the program is built from, each given its
// design name as object name and placed where its design puts it.
namespace Controls {

// Word-wrapped, aligned to the top left like the designs' labels.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QRect geometry);
// A one-line text box with no length limit.
QLineEdit *makeTextBox(QWidget *parent, const char *name, QRect geometry);
// A push button that Enter does not press unless it has the focus.
QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, QRect geometry,
                        const QString &toolTip = {});

} // namespace Controls
