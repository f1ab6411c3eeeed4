// Writing a batch file: from the click on "&OK" to the file committed and the
// confirmation window shown, against a bare QSaveFile write of the same bytes
// to the same place in the same run. Prints medians and ratios.
//
//   bench_writer [presses]   (runs offscreen unless a display is set)
#include "harness.h"

#include "core/batchfile.h"
#include "core/batchfilesaver.h"
#include "core/settingsentries.h"
#include "core/settingsstore.h"
#include "core/unloadmarker.h"
#include "mainwindow/confirmationwindow.h"
#include "mainwindow/mainwindow.h"

#include "benchapp.h"
#include "benchstats.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

int main(int argc, char **argv)
{
    BenchApp app(argc, argv);
    const int presses = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 201;

    Harness harness; // a first run: the confirmation window is on
    harness.start();
    QDir().mkpath(harness.driveC() + QStringLiteral("/windows"));
    const QStringList steps{QStringLiteral("c:"), QStringLiteral("c:\\windows"),
                            QStringLiteral("notepad.exe"), QStringLiteral("notepad.bat")};
    const BatchFile batch({steps[0], steps[1], steps[2], steps[3]});
    const QByteArray bytes = batch.bytes().value_or(QByteArray());
    const QString hostPath = harness.driveC() + QStringLiteral("/windows/notepad.bat");

    using namespace SettingsEntries;
    std::vector<double> bare, saver, store, press;
    for (int i = 0; i < presses; ++i) {
        bare.push_back(BenchStats::timedMs([&] {
            QSaveFile file(hostPath);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
                !file.commit())
                std::fprintf(stderr, "bare write failed\n");
        }));
        saver.push_back(BenchStats::timedMs([&] {
            if (BatchFileSaver(harness.drives).save(batch.targetPath(), bytes))
                std::fprintf(stderr, "saver failed\n");
        }));

        // What the press stores: the path, the marker, and the marker's removal.
        store.push_back(BenchStats::timedMs([&] {
            harness.settings->write(lastBatchPath.section, lastBatchPath.key, batch.targetPath());
            UnloadMarker::set(*harness.settings);
            harness.settings->deleteSection(unloadMarker.section);
        }));

        MainWindow *window = harness.forms->load<MainWindow>();
        window->driveEdit()->setText(steps[0]);
        window->directoryEdit()->setText(steps[1]);
        window->programEdit()->setText(steps[2]);
        window->batchFileNameEdit()->setText(steps[3]);
        Harness::settle();
        press.push_back(BenchStats::timedMs([&] {
            window->okButton()->click();
            ConfirmationWindow *confirm = harness.forms->load<ConfirmationWindow>();
            confirm->repaint();
            if (!confirm->isVisible())
                std::fprintf(stderr, "no confirmation\n");
        }));
        harness.forms->unload<ConfirmationWindow>();
        Harness::settle();
    }

    const double base = BenchStats::median(bare);
    std::printf("%d presses, medians in ms\n", presses);
    std::printf("%-44s %9s %7s\n", "", "median", "ratio");
    std::printf("%-44s %9.3f %7.2f\n", "bare QSaveFile write (baseline)", base, 1.0);
    std::printf("%-44s %9.3f %7.2f\n", "BatchFileSaver: checks, drive map, write",
                BenchStats::median(saver), BenchStats::median(saver) / base);
    std::printf("%-44s %9.3f %7.2f\n", "its three settings writes", BenchStats::median(store),
                BenchStats::median(store) / base);
    std::printf("%-44s %9.3f %7.2f\n", "\"&OK\" to file committed, confirmation shown",
                BenchStats::median(press), BenchStats::median(press) / base);
    return 0;
}
