#pragma once

#include "ui/form.h"
#include "ui/windowkind.h"

#include <QWidget>

class QLabel;
class QToolButton;

// The About window: the program's name and version, what it does, who made it.
// Loading it shows it and sets the unload marker.
class AboutWindow : public QWidget, public Form
{
    Q_OBJECT

public:
    static constexpr WindowKind kind = WindowKind::About;

    explicit AboutWindow(Forms &forms);

    QLabel *titleLabel() const { return m_titleLabel; }
    QLabel *descriptionLabel() const { return m_descriptionLabel; }
    QToolButton *okButton() const { return m_ok; }

protected:
    void loadHandling() override;

private:
    QLabel *m_titleLabel;
    QLabel *m_descriptionLabel;
    QToolButton *m_ok;
};
