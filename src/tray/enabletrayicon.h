#pragma once

#include "app/form.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

// Tells the user, on switching load-on-startup on, that the icon shows from
// the next start. Whether it shows is a preference of its own, kept in step by
// its check box and by the main window's "Enable Tray Icon Confirmation".
class EnableTrayIcon : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit EnableTrayIcon(Forms &forms);

    QPushButton *cmdOK() const { return m_cmdOK; }
    QCheckBox *Check1() const { return m_check1; }

    // The main window's "Enable Tray Icon Confirmation", after Qt has inverted
    // its checkmark: stores the new state and unloads this dialog, shown or
    // not, so the next switch-on asks afresh.
    static void confirmationItemClicked(Forms &forms);

protected:
    void loadHandling() override;

private:
    QString checkValue() const;
    void onCheck1Clicked(bool checked);
    void onOK();

    QCheckBox *m_check1;
    QPushButton *m_cmdOK;
};
