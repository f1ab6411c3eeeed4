// A huge paste into a step of the main window: the paste and the paint after
// it, against a paste of a command line's length into the same box, and a
// paint of a box without a length limit holding 1 MB (what a step box did
// before it had one). Prints medians and ratios.
//
//   bench_paste [rounds]   (runs offscreen unless a display is set)
#include "batchsteps.h"
#include "harness.h"

#include "core/stepanswers.h"

#include "benchapp.h"
#include "benchstats.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

namespace {

double pasteAndPaint(QLineEdit *box, const QString &text)
{
    box->clear();
    QGuiApplication::clipboard()->setText(text);
    return BenchStats::timedMs([&] {
        QTest::keySequence(box, QKeySequence::Paste);
        box->repaint();
    });
}

} // namespace

int main(int argc, char **argv)
{
    BenchApp app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 21;

    Harness harness;
    harness.start();
    QLineEdit *box = BatchSteps::fields(harness.forms->load<MainWindow>())[1];
    QLineEdit unlimited;
    unlimited.setMaxLength(std::numeric_limits<int>::max());
    unlimited.setText(QString(1'000'000, u'x'));
    unlimited.show();
    if (!QTest::qWaitForWindowExposed(&unlimited))
        std::fprintf(stderr, "the box without a limit was never shown\n");

    const QString line(longestAnswer, u'x');
    const QString huge(10'000'000, u'x');
    std::vector<double> baseline, pasted, before;
    for (int i = 0; i < rounds; ++i) {
        baseline.push_back(pasteAndPaint(box, line));
        pasted.push_back(pasteAndPaint(box, huge));
        before.push_back(BenchStats::timedMs([&] { unlimited.repaint(); }));
        harness.messages.shown.clear();
    }
    const double base = BenchStats::median(baseline);
    std::printf("%-48s %10s %8s\n", "", "median ms", "ratio");
    std::printf("%-48s %10.2f %8.2f\n", "paste of 8,191 characters and a paint", base, 1.0);
    std::printf("%-48s %10.2f %8.2f\n", "paste of 10,000,000 characters and a paint",
                BenchStats::median(pasted), BenchStats::median(pasted) / base);
    std::printf("%-48s %10.2f %8.2f\n", "one paint of a box holding 1,000,000 (no limit)",
                BenchStats::median(before), BenchStats::median(before) / base);
    return 0;
}
