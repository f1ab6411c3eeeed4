#pragma once

#include "app/form.h"

#include <QWidget>

class QLabel;
class QToolButton;

// The About window: the program's name and version, what it does, who made it.
// Loading it shows it and sets the unload marker.
class BatchAboutBox : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit BatchAboutBox(Forms &forms);

    QLabel *UtilityTitle() const { return m_utilityTitle; }
    QLabel *UtilityDescription() const { return m_utilityDescription; }
    QToolButton *OK() const { return m_ok; }

protected:
    void loadHandling() override;

private:
    QLabel *m_utilityTitle;
    QLabel *m_utilityDescription;
    QToolButton *m_ok;
};
