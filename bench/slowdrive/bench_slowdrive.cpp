// A drive letter mapped to a share that has stopped answering must cost the
// user nothing while they do not choose it. This maps d: of a Wine prefix to
// slowfs, a FUSE file system whose every request waits seconds, and times the
// program against the same prefix without d:: start-up to the main window
// painted, and the longest time the window's event loop was held up during
// start-up, then while both pickers open and close (the directory picker's
// drive list stepped with the arrow keys past d: to z:) and "&OK" writes a
// batch file. Each sample is a fresh process; the two kinds alternate.
//
//   bench_slowdrive [RUNS] [DELAY_MS]      (root, or a user allowed to use FUSE)
#include "harness.h"

#include "mainwindow/confirmationwindow.h"
#include "mainwindow/mainwindow.h"
#include "pickers/directorypicker.h"
#include "pickers/dirlist.h"
#include "pickers/drivelist.h"
#include "pickers/filelist.h"
#include "pickers/programpicker.h"

#include "benchstats.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

// The longest stretch the event loop spent away from waiting for events:
// from its waking (or the start) to its next wait or next round.
class BlockMeter
{
public:
    explicit BlockMeter(QAbstractEventDispatcher *dispatcher)
    {
        m_clock.start();
        QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [this] { lap(); });
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] {
            lap();
            m_waiting = true;
        });
    }

    // The longest block since the last call.
    double take()
    {
        lap();
        return std::exchange(m_longest, 0) / 1e6;
    }
    double elapsedMs() const { return m_clock.nsecsElapsed() / 1e6; }

private:
    void lap()
    {
        const qint64 now = m_clock.nsecsElapsed();
        if (!m_waiting)
            m_longest = std::max(m_longest, now - m_since);
        m_since = now;
        m_waiting = false;
    }

    QElapsedTimer m_clock;
    qint64 m_since = 0;
    qint64 m_longest = 0;
    bool m_waiting = false;
};

// Steps run one after another from the event loop, each polled until done.
class Script : public QObject
{
public:
    using Step = std::function<bool()>;
    explicit Script(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(2);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_next < m_steps.size() && m_steps[m_next]())
                ++m_next;
            if (m_next == m_steps.size())
                QCoreApplication::exit(0);
        });
        m_timer.start();
    }

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
    QTimer m_timer;
};

class FirstPaint : public QObject
{
public:
    using QObject::QObject;
    bool seen = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        seen = seen || event->type() == QEvent::Paint;
        return false;
    }
};

// One run of the program in this process, with the Wine prefix the parent set.
int runChild(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_NO_GLIB", "1"); // Qt's own dispatcher reports waking and waiting
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Harness harness;
    harness.writeIni("[Settings]\nSettings=FirstTime\nLoadOnStartup=0\n"
                     "[TolvaneConfirm]\nShowWindow=1\n");
    BlockMeter meter(QAbstractEventDispatcher::instance());

    // Start-up, as main() does it, drives and all.
    harness.drives = DriveMap::fromEnvironment();
    harness.start();
    MainWindow *main = harness.forms->load<MainWindow>();
    auto *painted = new FirstPaint(main);
    main->installEventFilter(painted);

    double startUpMs = 0;
    double startUpBlock = 0;
    Forms &forms = *harness.forms;
    const auto idle = [](const DirList *list) { return !list->isBusy(); };
    Script script({
        [&] {
            if (!painted->seen)
                return false;
            startUpMs = meter.elapsedMs();
            startUpBlock = meter.take();
            return true;
        },
        [&] {
            main->browseDirectoryButton()->click();
            return true;
        },
        [&] { return idle(forms.load<DirectoryPicker>()->folderList()); },
        [&] {
            QTest::keyClick(forms.load<DirectoryPicker>()->driveList(), Qt::Key_Down);
            return true;
        },
        [&] {
            QTest::keyClick(forms.load<DirectoryPicker>()->driveList(), Qt::Key_Down);
            return true;
        },
        [&] {
            const DirList *list = forms.load<DirectoryPicker>()->folderList();
            return list->path() == QStringLiteral("z:\\") && idle(list);
        },
        [&] {
            forms.load<DirectoryPicker>()->cancelButton()->click();
            main->browseProgramButton()->click();
            return true;
        },
        [&] {
            ProgramPicker *box = forms.load<ProgramPicker>();
            return idle(box->folderList()) && !box->fileList()->isBusy();
        },
        [&] {
            forms.load<ProgramPicker>()->cancelButton()->click();
            main->driveEdit()->setText(QStringLiteral("c:"));
            main->directoryEdit()->setText(QStringLiteral("c:\\games"));
            main->programEdit()->setText(QStringLiteral("game.exe"));
            main->batchFileNameEdit()->setText(QStringLiteral("game.bat"));
            main->okButton()->click();
            return true;
        },
        [&] { return forms.isLoaded<ConfirmationWindow>(); },
    });
    app.exec();
    const double usedBlock = meter.take();
    std::printf("%.3f %.3f %.3f %d\n", startUpMs, startUpBlock, usedBlock,
                int(harness.messages.shown.size()));
    return 0;
}

struct Sample
{
    double startUp = 0;
    double startUpBlock = 0;
    double useBlock = 0;
};

bool mounted(const QString &folder)
{
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    return mounts.open(QIODevice::ReadOnly) &&
           mounts.readAll().contains(' ' + QFile::encodeName(folder) + ' ');
}

void makePrefix(const QString &prefix, const QString &slowFolder)
{
    QDir().mkpath(prefix + QStringLiteral("/drive_c/games"));
    QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
    QFile game(prefix + QStringLiteral("/drive_c/games/game.exe"));
    game.open(QIODevice::WriteOnly);
    QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:"));
    QFile::link(QStringLiteral("/"), prefix + QStringLiteral("/dosdevices/z:"));
    if (!slowFolder.isEmpty())
        QFile::link(slowFolder, prefix + QStringLiteral("/dosdevices/d:"));
}

std::optional<Sample> runOnce(const QString &prefix)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), prefix);
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(prefix + QStringLiteral("/drive_c/games"));
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return std::nullopt;
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() < 4 || fields[3] != "0") {
        std::fprintf(stderr, "a run did not write its batch file quietly\n");
        return std::nullopt;
    }
    return Sample{fields[0].toDouble(), fields[1].toDouble(), fields[2].toDouble()};
}

void printRow(const char *what, double baseline, double slow)
{
    std::printf("%-46s %10.1f %12.1f %8.2f\n", what, baseline, slow,
                baseline > 0 ? slow / baseline : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const int delayMs = argc > 2 ? std::max(1, atoi(argv[2])) : 5000;

    QTemporaryDir tmp;
    const QString share = tmp.filePath(QStringLiteral("share"));
    QDir().mkpath(share);
    QProcess slowfs;
    slowfs.setProcessChannelMode(QProcess::ForwardedChannels);
    slowfs.start(QStringLiteral(SLOWFS), {share, QStringLiteral("--delay-ms=%1").arg(delayMs)});
    QElapsedTimer waited;
    waited.start();
    while (!mounted(share) && waited.elapsed() < 10000 && slowfs.state() != QProcess::NotRunning)
        QThread::msleep(20);
    if (!mounted(share)) {
        std::fprintf(stderr, "slowfs could not mount %s (is /dev/fuse there?)\n",
                     qPrintable(share));
        return 1;
    }
    const QString plain = tmp.filePath(QStringLiteral("plain"));
    const QString slow = tmp.filePath(QStringLiteral("slow"));
    makePrefix(plain, {});
    makePrefix(slow, share);

    std::printf("d: answers every request after %d ms; %d runs of each kind...\n", delayMs, runs);
    std::fflush(stdout);
    std::vector<Sample> plainRuns, slowRuns;
    bool failed = false;
    for (int run = 0; run < runs && !failed; ++run) {
        for (auto [prefix, samples] : {std::pair{plain, &plainRuns}, std::pair{slow, &slowRuns}}) {
            QFile::remove(prefix + QStringLiteral("/drive_c/games/game.bat"));
            const auto sample = runOnce(prefix);
            failed = failed || !sample;
            if (sample)
                samples->push_back(*sample);
        }
    }
    QProcess::execute(QStringLiteral("fusermount3"), {QStringLiteral("-u"), share});
    slowfs.waitForFinished(5000);
    if (failed) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }

    const auto pick = [](const std::vector<Sample> &samples, double Sample::*field) {
        std::vector<double> values;
        for (const Sample &sample : samples)
            values.push_back(sample.*field);
        return values;
    };
    const auto slowest = [&](const std::vector<Sample> &samples, double Sample::*field) {
        const auto values = pick(samples, field);
        return *std::max_element(values.begin(), values.end());
    };
    std::printf("\n%-46s %10s %12s %8s\n", "ms", "no slow d:", "slow d:", "ratio");
    printRow("start-up to the main window painted (median)",
             BenchStats::median(pick(plainRuns, &Sample::startUp)),
             BenchStats::median(pick(slowRuns, &Sample::startUp)));
    printRow("longest block: start-up (median)",
             BenchStats::median(pick(plainRuns, &Sample::startUpBlock)),
             BenchStats::median(pick(slowRuns, &Sample::startUpBlock)));
    printRow("longest block: both pickers and OK (median)",
             BenchStats::median(pick(plainRuns, &Sample::useBlock)),
             BenchStats::median(pick(slowRuns, &Sample::useBlock)));
    printRow("longest block: both pickers and OK (worst)", slowest(plainRuns, &Sample::useBlock),
             slowest(slowRuns, &Sample::useBlock));
    return 0;
}
