#include "app/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.6"));
    QApplication::setDesktopFileName(QStringLiteral("org.tolvane.Tolvane"));
    // The program's own rules decide when it ends, not its last window.
    QApplication::setQuitOnLastWindowClosed(false);

    Program program;
    program.start();
    if (program.forms().hasEnded())
        return 0;
    return app.exec();
}
