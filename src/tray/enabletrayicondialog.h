#pragma once

#include "ui/form.h"
#include "ui/windowkind.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

// Tells the user, on switching load-on-startup on, that the icon shows from
// the next start. Whether it shows is a preference of its own, kept in step by
// its check box and by the main window's "Enable Tray Icon Confirmation".
class EnableTrayIconDialog : public QWidget, public Form
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::EnableTrayIcon;

    explicit EnableTrayIconDialog(Forms &forms);

    QPushButton *okButton() const { return m_okButton; }
    QCheckBox *showAgainBox() const { return m_showAgainBox; }

protected:
    void loadHandling() override;

private:
    void showAgainClicked(bool checked);
    void onOK();

    QCheckBox *m_showAgainBox;
    QPushButton *m_okButton;
};
