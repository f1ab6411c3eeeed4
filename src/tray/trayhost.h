#pragma once

#include "ui/form.h"
#include "ui/trayhostlink.h"

#include <QWidget>

class QAction;
class QMenu;
class TrayIconControl;

// The tray host: the program's first window, never seen. It owns the tray
// icon and the tray menu.
class TrayHost : public QWidget, public Form, public TrayHostLink
{
    Q_OBJECT

public:
    explicit TrayHost(Forms &forms);

    TrayIconControl *trayIconControl() const { return m_trayIconControl; }
    QMenu *mnucsSysTray1() const { return m_mnucsSysTray1; }
    QAction *mnucsSysTray1LoadonStartup() const { return m_mnucsSysTray1LoadonStartup; }
    QAction *mnucsSysTray1CreateNewBatchFile() const { return m_mnucsSysTray1CreateNewBatchFile; }
    QAction *mnucsSysTray1About() const { return m_mnucsSysTray1About; }
    QAction *mnucsSysTray1Exit() const { return m_mnucsSysTray1Exit; }

    bool isInTray() const override;
    void setInTray(bool inTray) override;
    bool isLoadOnStartupChecked() const override;
    void setLoadOnStartupChecked(bool checked) override;

protected:
    void loadHandling() override;

private:
    void buildMenu();
    void onTrayActivate();
    void onCreateNewBatchFile();

    TrayIconControl *m_trayIconControl;
    QMenu *m_mnucsSysTray1;
    QAction *m_mnucsSysTray1LoadonStartup;
    QAction *m_mnucsSysTray1CreateNewBatchFile = nullptr;
    QAction *m_mnucsSysTray1About = nullptr;
    QAction *m_mnucsSysTray1Exit = nullptr;
};
