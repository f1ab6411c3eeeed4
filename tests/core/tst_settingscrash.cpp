#include "settingswritercommon.h"

#include "core/settingsstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr int kills = 200;
// Kill moments spread evenly on a log scale from 1 µs to 100 ms after the
// writer is ready: the early ones land inside its first write, the late ones
// after dozens of them.
constexpr double longestDelayUs = 100000;

const QString probeSection = QStringLiteral("Probe");
const QString probeKey = QStringLiteral("Round");

// Starts a writer and waits until it has opened the store.
bool startWriter(QProcess &process, const QStringList &args)
{
    process.start(QStringLiteral(SETTINGSWRITER), args);
    if (!process.waitForStarted())
        return false;
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(30000))
            return false;
    }
    return process.readLine().trimmed() == "ready";
}

} // namespace

class TestSettingsCrash : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString ini() const { return m_dir.filePath(QStringLiteral("Tolvane/Tolvane.ini")); }
    QString lockPath() const { return ini() + QStringLiteral(".lock"); }

    // What a fresh store sees, with names spelled in another case than written.
    QList<QString> readAll(QString &problem) const
    {
        SettingsStore store(ini());
        problem = store.problem();
        QList<QString> values;
        for (int k = 0; k < ChurnEntries::count; ++k)
            values.append(store.read(ChurnEntries::section(k).toUpper(),
                                     ChurnEntries::key(k).toLower(), QStringLiteral("<absent>")));
        return values;
    }

private Q_SLOTS:
    void init() { QDir(m_dir.filePath(QStringLiteral("Tolvane"))).removeRecursively(); }

    // After every kill the file parses and is exactly the state after some
    // prefix of the writer's writes, on top of what was there before, and
    // that prefix holds every write the writer was told had succeeded. The
    // next writer is never held up for good by a lock the dead one left.
    void killedWriterLeavesOldOrNewValues()
    {
        {
            SettingsStore seed(ini());
            for (int k = 0; k < ChurnEntries::count; ++k)
                QVERIFY(seed.write(ChurnEntries::section(k), ChurnEntries::key(k),
                                   ChurnEntries::value(0, 0, k)));
        }
        QString problem;
        QList<QString> before = readAll(problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        auto *random = QRandomGenerator::global();
        int locksLeft = 0;
        int emptyLocksLeft = 0;
        int temporariesLeft = 0;
        qint64 writesKept = 0;
        qint64 longestWaitMs = 0;

        for (int round = 1; round <= kills; ++round) {
            QProcess writer;
            QVERIFY2(startWriter(writer, {QStringLiteral("churn"), ini(), QString::number(round)}),
                     writer.readAllStandardError().constData());
            const auto delay = std::chrono::microseconds(
                qint64(std::exp(random->bounded(std::log(longestDelayUs)))));
            std::this_thread::sleep_for(delay);
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            // The last write the writer had been told reached the file.
            int reported = -1;
            const auto lines = writer.readAllStandardOutput().split('\n');
            for (const QByteArray &line : lines) {
                QVERIFY2(!line.startsWith("fail"), line.constData());
                const auto parts = line.split(' ');
                if (parts.size() == 2)
                    reported = parts[0].toInt() * ChurnEntries::count + parts[1].toInt();
            }

            // Besides the file: at most the dead writer's lock, and the whole
            // new file under a temporary name when the kill fell between
            // writing it and renaming it into place.
            QDir folder = QFileInfo(ini()).absoluteDir();
            QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                   QDir::NoDotAndDotDot);
            if (entries.removeAll(QFileInfo(lockPath()).fileName()) > 0) {
                ++locksLeft;
                if (QFileInfo(lockPath()).size() == 0)
                    ++emptyLocksLeft;
            }
            static const QRegularExpression temporaryName(
                QStringLiteral("^Tolvane\\.ini\\.[A-Za-z0-9]{6}$"));
            for (const QString &entry : entries) {
                if (temporaryName.match(entry).hasMatch()) {
                    ++temporariesLeft;
                    QVERIFY(folder.remove(entry));
                }
            }
            entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
            entries.removeAll(QFileInfo(lockPath()).fileName());
            QCOMPARE(entries, QStringList{QFileInfo(ini()).fileName()});

            const QList<QString> after = readAll(problem);
            QVERIFY2(problem.isEmpty(), qPrintable(problem)); // the file parses
            int newest = -1; // index of the newest write of this round on disk
            for (int k = 0; k < ChurnEntries::count; ++k) {
                if (after[k] == before[k])
                    continue;
                const auto parsed = ChurnEntries::parse(after[k]);
                QVERIFY2(parsed && parsed->round == round && parsed->k == k,
                         qPrintable(QStringLiteral("round %1, entry %2: torn value \"%3\"")
                                        .arg(round)
                                        .arg(k)
                                        .arg(after[k])));
                newest = qMax(newest, parsed->n * ChurnEntries::count + k);
            }
            // Writes go in a fixed order, so the file must hold every one up
            // to the newest and none after it.
            for (int k = 0; k < ChurnEntries::count; ++k) {
                const QString expected =
                    newest >= k ? ChurnEntries::value(round, (newest - k) / ChurnEntries::count, k)
                                : before[k];
                QVERIFY2(after[k] == expected,
                         qPrintable(QStringLiteral("round %1, entry %2 after write %3: \"%4\"")
                                        .arg(round)
                                        .arg(k)
                                        .arg(newest)
                                        .arg(after[k])));
            }
            QVERIFY2(
                newest >= reported,
                qPrintable(QStringLiteral("round %1: write %2 was lost").arg(round).arg(reported)));
            writesKept += newest + 1;

            // The next writer gets through, and an earlier probe survived.
            SettingsStore next(ini());
            QCOMPARE(next.read(probeSection, probeKey, QStringLiteral("0")),
                     QString::number(round - 1));
            QElapsedTimer waited;
            waited.start();
            QFile leftLock(lockPath());
            const QByteArray lockText =
                leftLock.open(QIODevice::ReadOnly) ? leftLock.readAll() : QByteArray("<none>");
            QVERIFY2(next.write(probeSection, probeKey, QString::number(round)),
                     qPrintable(QStringLiteral("round %1, lock \"%2\": %3")
                                    .arg(round)
                                    .arg(QString::fromUtf8(lockText.toPercentEncoding()),
                                         next.problem())));
            longestWaitMs = qMax(longestWaitMs, waited.elapsed());
            QVERIFY(!QFile::exists(lockPath()));
            before = after;
        }
        qInfo("%d kills survived; %d left the lock behind (%d of them empty) and %d a "
              "temporary file; %lld writes kept; the next writer waited at most %lld ms",
              kills, locksLeft, emptyLocksLeft, temporariesLeft, writesKept, longestWaitMs);
    }

    // A writer can die at two moments around its lock: holding it, or after
    // creating the lock file but before filling in who owns it.
    void deadWritersLockIsTakenOver_data()
    {
        QTest::addColumn<bool>("emptyLock");
        QTest::newRow("killed while holding the lock") << false;
        QTest::newRow("killed while creating the lock") << true;
    }

    void deadWritersLockIsTakenOver()
    {
        QFETCH(bool, emptyLock);
        QVERIFY(SettingsStore(ini()).write(probeSection, probeKey, QStringLiteral("old")));
        if (emptyLock) {
            QFile lock(lockPath());
            QVERIFY(lock.open(QIODevice::WriteOnly));
        } else {
            QProcess holder;
            QVERIFY(startWriter(holder, {QStringLiteral("hold"), ini()}));
            holder.kill();
            QVERIFY(holder.waitForFinished());
        }
        QVERIFY(QFile::exists(lockPath()));
        SettingsStore next(ini());
        QVERIFY2(next.write(probeSection, probeKey, QStringLiteral("new")),
                 qPrintable(next.problem()));
        QCOMPARE(SettingsStore(ini()).read(probeSection, probeKey), QStringLiteral("new"));
        QVERIFY(!QFile::exists(lockPath()));
    }
};

QTEST_GUILESS_MAIN(TestSettingsCrash)
#include "tst_settingscrash.moc"
