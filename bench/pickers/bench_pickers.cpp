// The program file picker on a folder of 100,000 files and the directory list
// on a folder of 10,000 subfolders, against a plain baseline in the same run:
// a QListView over a QStringListModel filled by QDir, read again with name
// filters on every keystroke. Prints medians and ratios.
//
//   bench_pickers            (runs offscreen unless a display is set)
#include "harness.h"

#include "mainwindow/mainwindow.h"
#include "pickers/dirlist.h"
#include "pickers/filelist.h"
#include "pickers/programpicker.h"

#include "benchapp.h"
#include "benchstats.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

constexpr int fileCount = 100000;
constexpr int folderCount = 10000;
constexpr int openRuns = 7;
constexpr int typingRuns = 3;

const char *const extensions[] = {".exe", ".dat", ".txt", ".dll", ".ini"};

void makeFolders(const QString &files, const QString &folders)
{
    QDir().mkpath(files);
    for (int i = 0; i < fileCount; ++i) {
        const QByteArray path =
            QFile::encodeName(files + QStringLiteral("/file%1").arg(i, 6, 10, QLatin1Char('0')) +
                              QLatin1String(extensions[i % 5]));
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    for (int i = 0; i < folderCount; ++i)
        QDir().mkpath(folders + QStringLiteral("/folder%1").arg(i, 5, 10, QLatin1Char('0')));
}

double slowest(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

int screenful(const QListView *view)
{
    const int row = std::max(1, view->sizeHintForRow(0));
    return view->viewport()->height() / row;
}

// Runs the event loop until `done`, then paints; the time that took.
double timeUntil(const std::function<void()> &start, const std::function<bool()> &done,
                 const std::function<QWidget *()> &paint)
{
    QElapsedTimer timer;
    timer.start();
    start();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    paint()->repaint();
    return timer.nsecsElapsed() / 1e6;
}

// The keystrokes: a pattern, then, after clearing, a name.
const QString typedPattern = QStringLiteral("*.exe");
const QString typedName = QStringLiteral("file012345.exe");

// Also notes how many entries the pattern left, to show both sides agree.
std::vector<double> timeTyping(QLineEdit *box, QListView *list, int *patternRows = nullptr)
{
    std::vector<double> samples;
    for (const QString &text : {typedPattern, typedName}) {
        if (patternRows && text == typedName)
            *patternRows = list->model()->rowCount();
        box->clear();
        QCoreApplication::processEvents();
        for (const QChar c : text) {
            samples.push_back(timeUntil([&] { QTest::keyClick(box, c.toLatin1()); },
                                        [] {
                                            QCoreApplication::processEvents();
                                            return true;
                                        },
                                        [list] { return list->viewport(); }));
        }
    }
    return samples;
}

// The baseline: the folder read through QDir into a string list model.
class Baseline
{
public:
    explicit Baseline(const QString &folder, QDir::Filters kind) : m_folder(folder), m_kind(kind)
    {
        m_list.setModel(&m_model);
        m_list.setGeometry(100, 100, 217, 162);
        m_box.setGeometry(100, 50, 153, 19);
        QObject::connect(&m_box, &QLineEdit::textChanged, &m_model,
                         [this](const QString &text) { m_model.setStringList(read(text)); });
    }

    QStringList read(const QString &pattern) const
    {
        QDir dir(m_folder);
        if (!pattern.isEmpty())
            dir.setNameFilters({pattern});
        return dir.entryList(m_kind | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    }

    // Its view lays itself out once the event loop runs; that is part of
    // showing the first screenful, and it must not happen later while the
    // picker is being timed, so the view is hidden again afterwards.
    double open()
    {
        m_model.setStringList({});
        const double ms = timeUntil(
            [this] {
                m_model.setStringList(read(m_box.text()));
                m_list.show();
            },
            [] {
                QCoreApplication::processEvents();
                return true;
            },
            [this] { return m_list.viewport(); });
        m_list.hide();
        return ms;
    }

    QLineEdit m_box;
    QListView m_list;
    QStringListModel m_model;

private:
    QString m_folder;
    QDir::Filters m_kind;
};

void printRow(const char *what, double ours, double baseline)
{
    std::printf("%-44s %10.2f %12.2f %8.1fx\n", what, ours, baseline,
                ours > 0 ? baseline / ours : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
    BenchApp app(argc, argv);

    Harness harness;
    const QString files = harness.driveC() + QStringLiteral("/Files");
    const QString folders = harness.driveC() + QStringLiteral("/Folders");
    std::printf("Making %d files and %d folders...\n", fileCount, folderCount);
    std::fflush(stdout);
    makeFolders(files, folders);
    harness.start();
    MainWindow *main = harness.forms->load<MainWindow>();
    const QString previous = QDir::currentPath();

    const auto openPicker = [&](const QString &at) {
        QDir::setCurrent(at);
        QTest::mouseClick(main->browseProgramButton(), Qt::LeftButton);
        return harness.forms->load<ProgramPicker>();
    };
    const auto closePicker = [&](ProgramPicker *box) {
        QTest::mouseClick(box->cancelButton(), Qt::LeftButton);
        Harness::settle();
    };

    // Opening: until the first screenful is listed and painted.
    std::vector<double> openFiles, openFolders, baseFiles, baseFolders;
    Baseline fileBaseline(files, QDir::Files);
    Baseline folderBaseline(folders, QDir::Dirs);
    for (int run = 0; run < openRuns; ++run) {
        ProgramPicker *box = nullptr;
        openFiles.push_back(timeUntil([&] { box = openPicker(files); },
                                      [&] {
                                          const FileList *list = box->fileList();
                                          return list->model()->rowCount() >= screenful(list);
                                      },
                                      [&] { return box; }));
        closePicker(box);
        box = nullptr;
        openFolders.push_back(timeUntil([&] { box = openPicker(folders); },
                                        [&] {
                                            const DirList *list = box->folderList();
                                            return list->model()->rowCount() >= screenful(list);
                                        },
                                        [&] { return box; }));
        closePicker(box);
        baseFiles.push_back(fileBaseline.open());
        baseFolders.push_back(folderBaseline.open());
    }

    // Typing: the whole folder read first, then one keystroke at a time.
    std::vector<double> typing, baseTyping;
    int ourRows = 0;
    int baseRows = 0;
    for (int run = 0; run < typingRuns; ++run) {
        ProgramPicker *box = openPicker(files);
        while (box->fileList()->isBusy() || box->folderList()->isBusy())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const auto ours = timeTyping(box->choiceEdit(), box->fileList(), &ourRows);
        typing.insert(typing.end(), ours.begin(), ours.end());
        closePicker(box);
        fileBaseline.m_list.show();
        const auto base = timeTyping(&fileBaseline.m_box, &fileBaseline.m_list, &baseRows);
        baseTyping.insert(baseTyping.end(), base.begin(), base.end());
        fileBaseline.m_list.hide();
    }
    QDir::setCurrent(previous);

    std::printf("\n%-44s %10s %12s %9s\n", "median, ms", "Tolvane", "baseline", "ratio");
    printRow("open 100,000 files: first screenful", BenchStats::median(openFiles),
             BenchStats::median(baseFiles));
    printRow("open 10,000 folders: first screenful", BenchStats::median(openFolders),
             BenchStats::median(baseFolders));
    printRow("keystroke in txtFilename (100,000 files)", BenchStats::median(typing),
             BenchStats::median(baseTyping));
    printRow("slowest keystroke", slowest(typing), slowest(baseTyping));
    std::printf("\n(%zu keystrokes: \"%s\", then \"%s\"; %d openings; \"%s\" lists %d files, "
                "the baseline %d)\n",
                typing.size(), qPrintable(typedPattern), qPrintable(typedName), openRuns,
                qPrintable(typedPattern), ourRows, baseRows);
    return 0;
}
