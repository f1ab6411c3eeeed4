#pragma once

#include "core/runcommand.h"
#include "core/writtenbatchfile.h"
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
    QPushButton *runButton() const { return m_run; }
    QPushButton *addToMenuButton() const { return m_addToMenu; }

    // The file just written, which "Run" and "Add to Menu" act on; what
    // cannot work leaves the buttons disabled, their tool tips saying why.
    void setBatchFile(const WrittenBatchFile &file);

    // The main window's View > Confirmation Windows > "Batch File
    // Confirmation", once its checkmark has flipped.
    static void batchFileConfirmationClicked(Forms &forms, bool checked);

protected:
    void loadHandling() override;

private:
    void okClicked();
    void showWindowClicked();
    void layOut();
    void layOutButtons(int top, int left);
    int buttonWidth(const QPushButton *button) const;
    void runClicked();
    void addToMenuClicked();

    QLabel *m_headingLabel;
    PathLabel *m_pathLabel;
    QPushButton *m_ok;
    QCheckBox *m_showWindow;
    QPushButton *m_run;
    QPushButton *m_addToMenu;
    WrittenBatchFile m_file;
    RunCommand m_command;
};
