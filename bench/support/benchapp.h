#pragma once

#include <QApplication>

// The application of a benchmark that shows windows: offscreen unless a
// display is set, and ended by the benchmark, not by its last window.
class BenchApp : public QApplication
{
public:
    BenchApp(int &argc, char **argv) : QApplication((chooseDisplay(), argc), argv)
    {
        setQuitOnLastWindowClosed(false);
    }

private:
    static void chooseDisplay()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
};
