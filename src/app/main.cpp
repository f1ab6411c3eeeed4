#include "desktopservices.h"
#include "program.h"
#include "version.h"

#include "ui/fonts.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

// Without a display Qt ends with an abort and a page of hints; one line says
// what is missing. A platform named outright (offscreen, xcb, wayland) is
// left to Qt.
bool noDisplayToOpen(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return false;
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[])
{
    if (noDisplayToOpen(argc, argv)) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate(
                         "main", "tolvane: no graphical session to open a window in (neither "
                                 "DISPLAY nor WAYLAND_DISPLAY is set); start Tolvane from your "
                                 "desktop")));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationVersion(QStringLiteral(TOLVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.tolvane.Tolvane"));
    // The program's own rules decide when it ends, not its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    Fonts::avoidFixedPitchApplicationFont();

    DesktopServices desktop;
    Program program(desktop.services());
    program.start();
    if (program.forms().hasEnded())
        return 0;
    return app.exec();
}
