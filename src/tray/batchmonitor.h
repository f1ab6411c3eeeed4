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
    QAction *mnucsSysTray1CreateNewBatchFile() const { return m_mnucsSysTray1CreateNewBatchFile; }
    QAction *mnucsSysTray1About() const { return m_mnucsSysTray1About; }
    QAction *mnucsSysTray1Exit() const { return m_mnucsSysTray1Exit; }

protected:
    void loadHandling() override;

private:
    void buildMenu();
    void onTrayActivate();
    void onCreateNewBatchFile();

    csSysTray *m_csSysTray1;
    QMenu *m_mnucsSysTray1;
    QAction *m_mnucsSysTray1LoadonStartup;
    QAction *m_mnucsSysTray1CreateNewBatchFile = nullptr;
    QAction *m_mnucsSysTray1About = nullptr;
    QAction *m_mnucsSysTray1Exit = nullptr;
};
