#pragma once

#include "app/form.h"

#include <QWidget>

class QAction;
class QMenu;
class csSysTray;

// The tray host: the program's first window, never seen. It owns the tray
// icon and the tray menu.
class BatchMonitor : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit BatchMonitor(Forms &forms);

    csSysTray *csSysTray1() const { return m_csSysTray1; }
    QMenu *mnucsSysTray1() const { return m_mnucsSysTray1; }
    QAction *mnucsSysTray1LoadonStartup() const { return m_mnucsSysTray1LoadonStartup; }

protected:
    void loadHandling() override;

private:
    csSysTray *m_csSysTray1;
    QMenu *m_mnucsSysTray1;
    QAction *m_mnucsSysTray1LoadonStartup;
};
