#pragma once

#include "ui/form.h"
#include "ui/windowkind.h"

#include <QWidget>

class QPushButton;

// Asks whether load-on-startup really goes off. It always shows; No undoes
// the change, Yes confirms it.
class DisableTrayIconDialog : public QWidget, public Form
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::DisableTrayIcon;

    explicit DisableTrayIconDialog(Forms &forms);

    QPushButton *cmdYes() const { return m_cmdYes; }
    QPushButton *cmdNo() const { return m_cmdNo; }

protected:
    void loadHandling() override;

private:
    void onYes();
    void onNo();

    QPushButton *m_cmdYes;
    QPushButton *m_cmdNo;
};
