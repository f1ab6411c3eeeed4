// "&OK" matches each part of the target path without regard to case, which
// means reading the folder when the batch file is new. In a folder of a
// million entries that must cost about what listing it costs: this times the
// lookup of a new name against `ls -f` of the same folder, and against a
// QDir listing with each entry's file information, in the same run.
//
//   bench_lookup [ENTRIES] [RUNS]
#include "core/drivemap.h"

#include "benchstats.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int entries = argc > 1 ? std::max(1, atoi(argv[1])) : 1000000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("games"));
    QDir().mkpath(folder);
    std::printf("Making %d files...\n", entries);
    std::fflush(stdout);
    for (int i = 0; i < entries; ++i) {
        const QByteArray path = QFile::encodeName(folder) + "/File" +
                                QByteArray::number(i).rightJustified(7, '0') + ".exe";
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }

    const DriveMap drives({{QLatin1Char('c'), tmp.path()}});
    std::vector<double> lookup, list, withInfo;
    QString found;
    for (int run = 0; run < runs; ++run) {
        // A new name in other letter case: every entry is compared.
        lookup.push_back(BenchStats::timedMs(
            [&] { found = drives.toHost(QStringLiteral("c:\\GAMES\\new.bat")).path; }));
        list.push_back(BenchStats::timedMs([&] {
            QProcess ls;
            ls.setStandardOutputFile(QProcess::nullDevice());
            ls.start(QStringLiteral("ls"), {QStringLiteral("-f"), folder});
            ls.waitForFinished(-1);
        }));
        if (run == 0) // slow; once is enough to see it
            withInfo.push_back(BenchStats::timedMs([&] {
                QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                           QDir::NoDotAndDotDot,
                                       QDir::Name);
            }));
    }
    if (found != folder + QStringLiteral("/new.bat")) {
        std::fprintf(stderr, "the lookup went astray: %s\n", qPrintable(found));
        return 1;
    }
    std::printf("\n%d entries, median of %d runs%26s\n", entries, runs, "ms");
    std::printf("%-52s %10.1f\n", "lookup of a new name (\"&OK\")", BenchStats::median(lookup));
    std::printf("%-52s %10.1f\n", "ls -f", BenchStats::median(list));
    std::printf("%-52s %10.1f\n", "QDir::entryList with file information (one run)",
                BenchStats::median(withInfo));
    std::printf("%-52s %10.2f\n", "ratio lookup / ls -f",
                BenchStats::median(lookup) / BenchStats::median(list));
    return 0;
}
