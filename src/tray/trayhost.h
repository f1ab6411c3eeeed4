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
    QMenu *trayMenu() const { return m_trayMenu; }
    QAction *loadOnStartupItem() const { return m_loadOnStartupItem; }
    QAction *createNewBatchFileItem() const { return m_createNewBatchFileItem; }
    QAction *aboutItem() const { return m_aboutItem; }
    QAction *exitItem() const { return m_exitItem; }

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
    QMenu *m_trayMenu;
    QAction *m_loadOnStartupItem;
    QAction *m_createNewBatchFileItem = nullptr;
    QAction *m_aboutItem = nullptr;
    QAction *m_exitItem = nullptr;
};
