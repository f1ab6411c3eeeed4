#pragma once

#include "ui/form.h"
#include "ui/windowkind.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class PathLabel;

// Tells the user where the batch file went, then asks whether to create
// another one. With the window switched off, its load asks at once.
class ConfirmationWindow : public QWidget, public Form
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::Confirmation;

    explicit ConfirmationWindow(Forms &forms);

    QLabel *headingLabel() const { return m_headingLabel; }
    QLabel *pathLabel() const;
    QPushButton *okButton() const { return m_ok; }
    QCheckBox *showWindowBox() const { return m_showWindow; }

    // The main window's View > Confirmation Windows > "Batch File
    // Confirmation", once its checkmark has flipped.
    static void batchFileConfirmationClicked(Forms &forms, bool checked);

protected:
    void loadHandling() override;

private:
    void okClicked();
    void showWindowClicked();
    void layOut();

    QLabel *m_headingLabel;
    PathLabel *m_pathLabel;
    QPushButton *m_ok;
    QCheckBox *m_showWindow;
};
