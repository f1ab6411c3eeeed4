#include "core/settingsstore.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int writesEach = 500;

} // namespace

// Two running copies of the program share one settings file. Each writes
// its own entry over and over while the other does the same; each checks
// before every write that its previous one is still there, so a write that
// the other copy overwrote with an older file shows at once, and at the end
// the last write of both is in the file.
class TestTwoInstances : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void bothKeepEveryWrite_data()
    {
        QTest::addColumn<QString>("sectionA");
        QTest::addColumn<QString>("keyA");
        QTest::addColumn<QString>("sectionB");
        QTest::addColumn<QString>("keyB");
        QTest::newRow("one section") << "Settings"
                                     << "LoadOnStartup"
                                     << "Settings"
                                     << "Other";
        QTest::newRow("two sections") << "TolvaneConfirm"
                                      << "ShowWindow"
                                      << "TrayIconSettings"
                                      << "Enable";
    }

    void bothKeepEveryWrite()
    {
        QFETCH(QString, sectionA);
        QFETCH(QString, keyA);
        QFETCH(QString, sectionB);
        QFETCH(QString, keyB);
        const QString ini = m_dir.filePath(
            QStringLiteral("%1/Tolvane.ini").arg(QString::fromUtf8(QTest::currentDataTag())));
        QVERIFY(SettingsStore(ini).write(QStringLiteral("Path/Filename"), QStringLiteral("Batch"),
                                         QStringLiteral("c:\\kept.bat")));

        std::unique_ptr<QProcess> writers[2];
        const QStringList args[2] = {
            {QStringLiteral("count"), ini, sectionA, keyA, QString::number(writesEach)},
            {QStringLiteral("count"), ini, sectionB, keyB, QString::number(writesEach)}};
        for (int i = 0; i < 2; ++i) {
            writers[i] = std::make_unique<QProcess>();
            writers[i]->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writers[i]->start(QStringLiteral(SETTINGSWRITER), args[i]);
            QVERIFY(writers[i]->waitForStarted());
            while (!writers[i]->canReadLine())
                QVERIFY(writers[i]->waitForReadyRead(30000));
            QCOMPARE(writers[i]->readLine().trimmed(), QByteArray("ready"));
        }
        for (auto &writer : writers) {
            writer->write("go\n");
            QVERIFY(writer->waitForBytesWritten()); // now, not when waited for
        }
        QList<QByteArray> interleaved;
        for (auto &writer : writers) {
            QVERIFY(writer->waitForFinished(100000));
            const QByteArray said = writer->readAllStandardOutput().trimmed();
            QVERIFY2(writer->exitCode() == 0, said.constData());
            QVERIFY2(said.startsWith("done "), said.constData());
            interleaved.append(said.mid(5));
        }

        SettingsStore after(ini);
        QCOMPARE(after.read(sectionA, keyA), QString::number(writesEach));
        QCOMPARE(after.read(sectionB, keyB), QString::number(writesEach));
        QCOMPARE(after.read(QStringLiteral("Path/Filename"), QStringLiteral("Batch")),
                 QStringLiteral("c:\\kept.bat"));
        // How often the other process wrote between two writes of one: how
        // closely the two took turns (not checked, it is up to the scheduler).
        qInfo("%d writes by two processes, every one kept; %s and %s times the other wrote "
              "in between",
              2 * writesEach, interleaved[0].constData(), interleaved[1].constData());
    }

    // The store notices another instance's save by the file's inode, size and
    // time. Those can all stay the same: a file system that reuses inodes and
    // a clock that ticks every few milliseconds (as older kernels have) let a
    // quick second save look like the first. A write must not rest on that.
    void changeThatLooksLikeNoChangeIsKept()
    {
        const QString ini = m_dir.filePath(QStringLiteral("hidden/Tolvane.ini"));
        const QString section = QStringLiteral("Path/Filename");
        const QString key = QStringLiteral("Batch");
        SettingsStore mine(ini);
        QVERIFY(mine.write(section, key, QStringLiteral("c:\\mine.bat")));

        // The other instance's save: in place, the same size, the old time.
        struct stat before
        {
        };
        QCOMPARE(::stat(QFile::encodeName(ini).constData(), &before), 0);
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray text = file.readAll().replace("mine.bat", "them.bat");
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(text), text.size());
        file.close();
        const timespec times[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(ini).constData(), times, 0), 0);

        QVERIFY(mine.write(QStringLiteral("TrayIconSettings"), QStringLiteral("Enable"),
                           QStringLiteral("1")));
        QCOMPARE(SettingsStore(ini).read(section, key), QStringLiteral("c:\\them.bat"));
    }
};

QTEST_GUILESS_MAIN(TestTwoInstances)
#include "tst_twoinstances.moc"
