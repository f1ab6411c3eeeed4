// Start-up to the main window shown and painted, and resident memory then: Tolvane's real
// start-up against a bare Qt window with the same widgets and a menu bar. Each
// sample is a fresh process; the two kinds alternate so that both see the
// same machine. Prints medians and the ratio. Where the tests' StatusNotifierItem
// host is built, Tolvane's start-up on a session bus with that host (which
// reads the item back before answering its registration) is also timed
// against the same on a session bus without one.
#include "app/desktopservices.h"
#include "app/program.h"
#include "mainwindow/mainwindow.h"

#include "benchstats.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <time.h>

namespace {

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

// Reported once the window has been painted for the first time, so both
// sides have laid out and drawn their text: the user sees the window then.
class FirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The children paint in the same pass; report right after it.
            QTimer::singleShot(0, this, [] {
                std::printf("%lld %lld\n", monotonicNs(), residentKiB());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

void reportWhenShown(QWidget *window)
{
    window->installEventFilter(new FirstPaint(window));
}

int runTolvane(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    DesktopServices desktop;
    Program program(desktop.services());
    program.start();
    reportWhenShown(program.forms().load<MainWindow>());
    return app.exec();
}

QLabel *wrappedLabel(const char *text, QWidget *parent, QRect geometry)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    label->setGeometry(geometry);
    return label;
}

// The same widgets with the same texts in the same places, written as plainly
// as Qt allows: no settings, no window registry, no tray, default fonts.
int runBare(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    auto *client = new QWidget(&window);
    window.setCentralWidget(client);
    client->setFixedSize(712, 481);
    wrappedLabel("Please follow steps to create a batch file of your choice.", client,
                 {0, 16, 329, 17});
    const char *questions[] = {
        "What drive (c, d, e, etc.) is your program on? Please specify the letter plus the "
        "colon (c:, d:, etc.)",
        "What directory is your program in? (c:\\windows, c:\\winword, c:\\excel, etc.)",
        "What is the name of the .EXE file that executes your program? (winword.exe, "
        "excel.exe, etc.)",
        "Please specify a .BAT filename (notepad.bat, wordpad.bat, solitaire.bat)"};
    for (int i = 0; i < 4; ++i) {
        auto *frame = new QGroupBox(QStringLiteral("Step %1").arg(i + 1), client);
        frame->setGeometry(360 * (i % 2), 48 + 184 * (i / 2), 353, 177);
        wrappedLabel(questions[i], frame, {8, 24, 330, 50});
        (new QLineEdit(frame))->setGeometry(8, 80, 337, 25);
        if (i >= 2)
            wrappedLabel(i == 2 ? "Note:  If there are any other parameters that your program "
                                  "requires in order to run, you can enter those here after "
                                  "the .EXE file."
                                : "Note:  Filename will be automatically saved in the directory "
                                  "specified in Step 2.",
                         frame, {8, 115, 241, 60});
    }
    const QRect buttons[] = {
        {256, 432, 81, 33}, {624, 168, 81, 33}, {264, 352, 81, 33}, {376, 432, 81, 33}};
    const char *captions[] = {"&OK", "Browse...", "Browse...", "E&xit"};
    for (int i = 0; i < 4; ++i)
        (new QPushButton(QString::fromLatin1(captions[i]), client))->setGeometry(buttons[i]);
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    QMenu *view = window.menuBar()->addMenu(QStringLiteral("&View"));
    QMenu *confirmations = view->addMenu(QStringLiteral("Confirmation Windows"));
    confirmations->addAction(QStringLiteral("Batch File Confirmation"))->setCheckable(true);
    confirmations->addAction(QStringLiteral("Enable Tray Icon Confirmation"))->setCheckable(true);
    view->addAction(QStringLiteral("&Load Tray Icon on Startup"))->setCheckable(true);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Tolvane Help"))->setShortcut(Qt::Key_F1);
    help->addAction(QStringLiteral("How To &Contact the Author"));
    help->addSeparator();
    help->addAction(QStringLiteral("&License Agreement"));
    help->addSeparator();
    help->addAction(QStringLiteral("&About Tolvane"));
    window.show();
    reportWhenShown(&window);
    return app.exec();
}

struct Sample
{
    double ms;
    qint64 kib;
};

Sample measure(const QString &mode, const QString &home, const QString &bus = QString())
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!bus.isEmpty())
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    const qint64 started = monotonicNs();
    child.start(QCoreApplication::applicationFilePath(), {mode});
    child.waitForFinished(30000);
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        qFatal("the %s run printed nothing", qPrintable(mode));
    return {(fields[0].toLongLong() - started) / 1e6, fields[1].toLongLong()};
}

// A private session bus; its address, or nothing if none could be started.
QString startBus(QProcess &daemon)
{
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address=1")});
    if (!daemon.waitForReadyRead(10000))
        return QString();
    return QString::fromLatin1(daemon.readLine().trimmed());
}

bool waitForService(const QString &bus, const QString &service)
{
    QDBusConnection connection = QDBusConnection::connectToBus(bus, QStringLiteral("bench"));
    bool there = false;
    for (int i = 0; i < 100 && !there; ++i) {
        there = connection.interface() && connection.interface()->isServiceRegistered(service);
        if (!there)
            QThread::msleep(50);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("bench"));
    return there;
}

// Tolvane on a bus whose StatusNotifierItem host calls back into the item,
// against Tolvane on a bus without a host.
void measureOnHost(int rounds, const QString &home)
{
#ifdef TOLVANE_FAKE_SNI_WATCHER
    QProcess plainDaemon, hostDaemon, host;
    const QString plainBus = startBus(plainDaemon);
    const QString hostBus = startBus(hostDaemon);
    if (plainBus.isEmpty() || hostBus.isEmpty()) {
        std::printf("no session bus could be started: dbus-daemon is missing\n");
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), hostBus);
    host.setProcessEnvironment(env);
    host.setStandardOutputFile(QProcess::nullDevice());
    host.setStandardErrorFile(QProcess::nullDevice());
    host.start(QStringLiteral(TOLVANE_FAKE_SNI_WATCHER));
    if (!waitForService(hostBus, QStringLiteral("org.kde.StatusNotifierWatcher")))
        qFatal("the StatusNotifierItem host did not start");
    const QString tolvane = QStringLiteral("--tolvane");
    measure(tolvane, home, hostBus);
    std::vector<double> onHost, noHost;
    for (int i = 0; i < rounds; ++i) {
        onHost.push_back(measure(tolvane, home, hostBus).ms);
        noHost.push_back(measure(tolvane, home, plainBus).ms);
    }
    const double h = BenchStats::median(onHost), n = BenchStats::median(noHost);
    std::printf("\nstart-up on a StatusNotifierItem host that reads the item back, %d rounds\n",
                rounds);
    std::printf("%-26s %10s %10s %8s\n", "", "host", "no host", "ratio");
    std::printf("%-26s %10.1f %10.1f %8.2f\n", "median time (ms)", h, n, h / n);
    for (QProcess *process : {&host, &hostDaemon, &plainDaemon}) {
        process->kill();
        process->waitForFinished();
    }
#else
    Q_UNUSED(rounds);
    Q_UNUSED(home);
#endif
}

int drive(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(3, atoi(argv[1])) : 21;
    QTemporaryDir home;
    // A later run, not the first one: the defaults are already stored.
    QDir().mkpath(home.filePath(QStringLiteral(".config/Tolvane")));
    QFile ini(home.filePath(QStringLiteral(".config/Tolvane/Tolvane.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Settings]\nSettings=FirstTime\nLoadOnStartup=1\n[TolvaneConfirm]\nShowWindow=1\n"
              "[TrayIconSettings]\nEnable=1\n");
    ini.close();
    measure(QStringLiteral("--tolvane"), home.path()); // warm the file cache
    measure(QStringLiteral("--bare"), home.path());
    std::vector<double> tolvaneMs, bareMs;
    std::vector<qint64> tolvaneKiB, bareKiB;
    for (int i = 0; i < rounds; ++i) {
        const Sample t = measure(QStringLiteral("--tolvane"), home.path());
        const Sample b = measure(QStringLiteral("--bare"), home.path());
        tolvaneMs.push_back(t.ms);
        tolvaneKiB.push_back(t.kib);
        bareMs.push_back(b.ms);
        bareKiB.push_back(b.kib);
    }
    const double tMs = BenchStats::median(tolvaneMs), bMs = BenchStats::median(bareMs);
    const qint64 tKiB = BenchStats::median(tolvaneKiB), bKiB = BenchStats::median(bareKiB);
    std::printf("start-up to main window shown, %d rounds, platform %s\n", rounds,
                qEnvironmentVariableIsSet("DISPLAY") ? "xcb" : "offscreen");
    std::printf("%-26s %10s %10s %8s\n", "", "tolvane", "bare Qt", "ratio");
    std::printf("%-26s %10.1f %10.1f %8.2f\n", "median time (ms)", tMs, bMs, tMs / bMs);
    std::printf("%-26s %10lld %10lld %8.2f\n", "median resident (KiB)", tKiB, bKiB,
                double(tKiB) / double(bKiB));
    measureOnHost(rounds, home.path());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "--tolvane")
        return runTolvane(argc, argv);
    if (mode == "--bare")
        return runBare(argc, argv);
    return drive(argc, argv);
}
