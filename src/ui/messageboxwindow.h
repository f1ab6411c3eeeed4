#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QStyle>

class QLabel;
class WrappingLabel;

// The program's message box. Unlike QMessageBox it shows its text as plain
// text only, with invisible format characters written out, and it stays
// within the screen: a long path wraps anywhere, and a text too long for the
// screen is shown with its middle left out.
class MessageBoxWindow : public QDialog
{
    Q_OBJECT

public:
    MessageBoxWindow(QStyle::StandardPixmap icon, const QString &text,
                     QDialogButtonBox::StandardButtons buttons,
                     QDialogButtonBox::StandardButton preferred, QWidget *parent = nullptr);

    WrappingLabel *textLabel() const { return m_text; }
    // The button the box was closed with; the escape button when closed otherwise.
    QDialogButtonBox::StandardButton answer() const { return m_answer; }

protected:
    void showEvent(QShowEvent *event) override;
    // As in any message box: a button's letter alone presses it, and Ctrl+C
    // copies the whole text, even where the middle is left out.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fitToScreen();

    WrappingLabel *m_text;
    QDialogButtonBox *m_buttons;
    QString m_wholeText;
    QDialogButtonBox::StandardButton m_answer;
};
