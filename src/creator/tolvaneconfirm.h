#pragma once

#include "app/form.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class PathLabel;

// Tells the user where the batch file went, then asks whether to create
// another one. With the window switched off, its load asks at once.
class TolvaneConfirm : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit TolvaneConfirm(Forms &forms);

    QLabel *lblBatch1() const { return m_lblBatch1; }
    QLabel *lblBatch2() const;
    QPushButton *OK() const { return m_OK; }
    QCheckBox *ShowWindow() const { return m_ShowWindow; }

    // The main window's View > Confirmation Windows > "Batch File
    // Confirmation", once its checkmark has flipped.
    static void batchFileConfirmationClicked(Forms &forms, bool checked);

protected:
    void loadHandling() override;

private:
    void okClicked();
    void showWindowClicked();
    void layOut();

    QLabel *m_lblBatch1;
    PathLabel *m_lblBatch2;
    QPushButton *m_OK;
    QCheckBox *m_ShowWindow;
};
