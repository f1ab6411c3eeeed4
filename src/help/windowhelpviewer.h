#pragma once

#include "helpfilelocator.h"
#include "ui/helpviewer.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <optional>

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

    void showContents(const QString &helpFile) override;
    void showTopic(const QString &helpFile, int topic) override;

    // The viewer's window while it is open.
    HelpWindow *window() const;

Q_SIGNALS:
    // The user closed the viewer's window.
    void windowClosed();

private:
    // The help file's place and its topics, or nothing once the problem is said.
    std::optional<QString> readable(const QString &helpFile, QSet<QString> *topics);
    HelpWindow *openWindow();
    void report(const QString &problem);

    HelpFileLocator m_locator;
    QPointer<HelpWindow> m_window;
};
