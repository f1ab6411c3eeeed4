#include "app/dialogmessageboxes.h"
#include "app/forms.h"
#include "app/ghostguard.h"
#include "app/settingsstore.h"
#include "creator/drivemap.h"
#include "help/windowhelpviewer.h"
#include "tray/batchmonitor.h"
#include "tray/systemtrayarea.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.6"));
    QApplication::setDesktopFileName(QStringLiteral("org.tolvane.Tolvane"));
    // The program's own rules decide when it ends, not its last window.
    QApplication::setQuitOnLastWindowClosed(false);

    DialogMessageBoxes messages;
    SettingsStore settings(SettingsStore::defaultFilePath());
    QObject::connect(&settings, &SettingsStore::problemOccurred,
                     [&messages](const QString &text) { messages.critical(text); });
    if (!settings.problem().isEmpty())
        messages.critical(settings.problem());
    SystemTrayArea trayArea;
    const DriveMap drives = DriveMap::fromEnvironment();
    WindowHelpViewer helpViewer(drives, QCoreApplication::applicationDirPath());
    Services services{settings, messages,   trayArea,
                      drives,   helpViewer, [] { QCoreApplication::exit(0); }};

    Forms forms(services);
    GhostGuard ghostGuard(forms, trayArea);
    // The help window may be the last thing the user sees; its closing counts.
    QObject::connect(&helpViewer, &WindowHelpViewer::windowClosed, &forms, &Forms::windowHidden);
    forms.get<BatchMonitor>();
    if (forms.hasEnded())
        return 0;
    return app.exec();
}
