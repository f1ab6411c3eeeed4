#pragma once

#include "helpfilelocator.h"
#include "ui/helpviewer.h"

#include <QObject>
#include <QPointer>

class DriveMap;
class HelpWindow;

// The program's own help viewer: one modeless window over the HTML help file,
// whose opening topic is its top and whose numbered topics are its anchors
// "2", "3"... What goes wrong is said in that window; the caller hears nothing.
class WindowHelpViewer : public QObject, public HelpViewer
{
    Q_OBJECT

public:
    WindowHelpViewer(const DriveMap &drives, const QString &executableFolder,
                     QObject *parent = nullptr);
    ~WindowHelpViewer() override;

    void showHelp(const QString &helpFile, qint16 command, qint32 context) override;

    // The viewer's window while it is open.
    HelpWindow *window() const;

Q_SIGNALS:
    // The user closed the viewer's window.
    void windowClosed();

private:
    HelpWindow *openWindow();
    void report(const QString &problem);

    HelpFileLocator m_locator;
    QPointer<HelpWindow> m_window;
};
