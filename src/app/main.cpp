#include "desktopservices.h"
#include "program.h"
#include "version.h"

#include "ui/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
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
