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

    QPushButton *yesButton() const { return m_yesButton; }
    QPushButton *noButton() const { return m_noButton; }

protected:
    void loadHandling() override;

private:
    void onYes();
    void onNo();

    QPushButton *m_yesButton;
    QPushButton *m_noButton;
};
