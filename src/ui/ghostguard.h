#pragma once

#include <QObject>
#include <QTimer>

class Forms;
class TrayArea;

// Ends the program once it has nothing left to show: no visible window, no
// message box and no icon in the notification area. Without this, several
// paths (a close while the unload marker is set and the icon is hidden, say)
// would leave a process running that the user cannot reach. An icon whose
// area has just gone away still counts for the area's grace; if the area
// does not come back, the main window is shown instead: a panel going away
// never ends the program.
class GhostGuard : public QObject
{
    Q_OBJECT

public:
    GhostGuard(Forms &forms, TrayArea &trayArea, QObject *parent = nullptr);

    bool isReachable() const;

protected:
    // Any window of the program that is hidden, however, may have been the last one.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void check();
    void bringBackMainWindow();

    Forms &m_forms;
    TrayArea &m_trayArea;
    QTimer m_idle;
};
