#include "core/settingsstore.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString S = QStringLiteral("Section");
const QString K = QStringLiteral("Key");

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Tolvane/Tolvane.ini")); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void defaultLocationFollowsXdgConfigHome()
    {
        qputenv("XDG_CONFIG_HOME", "/tmp/some-config");
        QCOMPARE(SettingsStore::defaultFilePath(),
                 QStringLiteral("/tmp/some-config/Tolvane/Tolvane.ini"));
    }

    void namesInAnyCaseAddressOneEntry()
    {
        SettingsStore store(path());
        store.write(QStringLiteral("TrayIconSettings"), QStringLiteral("Enable"),
                    QStringLiteral("1"));
        QCOMPARE(store.read(QStringLiteral("trayiconsettings"), QStringLiteral("enable")),
                 QStringLiteral("1"));
        store.write(QStringLiteral("TRAYICONSETTINGS"), QStringLiteral("ENABLE"),
                    QStringLiteral("0"));
        QCOMPARE(store.read(QStringLiteral("TrayIconSettings"), QStringLiteral("Enable")),
                 QStringLiteral("0"));
        // One entry, spelled as first written.
        QCOMPARE(TestFiles::read(path()), QByteArray("[TrayIconSettings]\nEnable=0\n"));
    }

    void valuesAreKeptVerbatim_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("backslashes") << "c:\\windows\\\\notepad.bat";
        QTest::newRow("blanks around") << "  c:\\a b\\x.bat ";
        QTest::newRow("quoted") << "\"c:\\x\"";
        QTest::newRow("equals and semicolon") << "a=b;c #d";
        QTest::newRow("accents") << "c:\\Jeux\\Élan.bat";
        QTest::newRow("empty") << "";
    }

    void valuesAreKeptVerbatim()
    {
        QFETCH(QString, value);
        SettingsStore(path()).write(QStringLiteral("Path/Filename"), QStringLiteral("Batch"),
                                    value);
        // A new store on the same file stands for the next run.
        QCOMPARE(SettingsStore(path()).read(QStringLiteral("Path/Filename"),
                                            QStringLiteral("Batch"), QStringLiteral("<absent>")),
                 value);
    }

    void lineBreaksAreRefused()
    {
        SettingsStore store(path());
        QVERIFY(!store.write(S, K, QStringLiteral("a\nb")));
        QVERIFY(!store.write(S, K, QStringLiteral("a") + QChar::Null + QStringLiteral("b")));
        QCOMPARE(store.read(S, K, QStringLiteral("<absent>")), QStringLiteral("<absent>"));
    }

    void absentEntriesGiveTheDefault()
    {
        SettingsStore store(path());
        QCOMPARE(store.read(S, K, QStringLiteral("dflt")), QStringLiteral("dflt"));
        QCOMPARE(store.read(S, K), QString());
        QVERIFY(!QFile::exists(path())); // reading creates nothing
    }

    void readings_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("exactlyOne");
        QTest::addColumn<bool>("boolean");   // default true
        QTest::addColumn<bool>("equalsOne"); // default 1
        QTest::newRow("1") << "1" << true << true << true;
        QTest::newRow("0") << "0" << false << false << false;
        QTest::newRow("-1") << "-1" << false << true << false;
        QTest::newRow("2") << "2" << false << true << false;
        QTest::newRow("empty reads as absent") << "" << false << true << true;
        QTest::newRow("text reads as absent") << "abc" << false << true << true;
        QTest::newRow("1.0") << "1.0" << false << true << true;
        QTest::newRow("spaces") << " 1 " << false << true << true;
    }

    void readings()
    {
        QFETCH(QString, stored);
        QFETCH(bool, exactlyOne);
        QFETCH(bool, boolean);
        QFETCH(bool, equalsOne);
        SettingsStore store(path());
        store.write(S, K, stored);
        QCOMPARE(store.isExactly(S, K, QStringLiteral("1")), exactlyOne);
        QCOMPARE(store.readBool(S, K, true), boolean);
        QCOMPARE(store.readEqualsOne(S, K, 1), equalsOne);
        // With the other default, only a readable number keeps its answer.
        const bool isNumber = SettingsStore::toNumber(stored).has_value();
        QCOMPARE(store.readBool(S, K, false), isNumber && boolean);
        QCOMPARE(store.readEqualsOne(S, K, 0), isNumber && equalsOne);
    }

    void deleteSectionRemovesEveryKey()
    {
        SettingsStore store(path());
        store.write(QStringLiteral("TolvaneConfirmSettings"), QStringLiteral("Settings"),
                    QStringLiteral("OK"));
        store.write(QStringLiteral("TolvaneConfirmSettings"), QStringLiteral("Other"),
                    QStringLiteral("x"));
        store.write(S, K, QStringLiteral("kept"));
        store.deleteSection(QStringLiteral("tolvaneconfirmsettings"));
        SettingsStore next(path());
        QCOMPARE(next.read(QStringLiteral("TolvaneConfirmSettings"), QStringLiteral("Settings")),
                 QString());
        QCOMPARE(next.read(QStringLiteral("TolvaneConfirmSettings"), QStringLiteral("Other")),
                 QString());
        QCOMPARE(next.read(S, K), QStringLiteral("kept"));
    }

    void twoStoresOnOneFileLoseNothing()
    {
        SettingsStore first(path());
        SettingsStore second(path());
        for (int i = 0; i < 20; ++i) {
            first.write(QStringLiteral("A"), QStringLiteral("k%1").arg(i), QString::number(i));
            second.write(QStringLiteral("B"), QStringLiteral("k%1").arg(i), QString::number(i));
            // Each sees the other's latest write without being told.
            QCOMPARE(first.read(QStringLiteral("B"), QStringLiteral("k%1").arg(i)),
                     QString::number(i));
        }
        SettingsStore check(path());
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(check.read(QStringLiteral("A"), QStringLiteral("k%1").arg(i)),
                     QString::number(i));
            QCOMPARE(check.read(QStringLiteral("B"), QStringLiteral("k%1").arg(i)),
                     QString::number(i));
        }
    }

    void handEditedFilesAreRead()
    {
        TestFiles::write(path(), "\xEF\xBB\xBF; comment\r\n[TrayIconSettings]\r\nENABLE = "
                                 "2\r\n\r\n[Settings]\r\nSettings=FirstTime\r\n");
        SettingsStore store(path());
        QCOMPARE(store.read(QStringLiteral("TrayIconSettings"), QStringLiteral("Enable")),
                 QStringLiteral("2"));
        QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("Settings")),
                 QStringLiteral("FirstTime"));
        QVERIFY(store.problem().isEmpty());
    }

    void damagedFileDoesNotCrash()
    {
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char((i * 7919) % 256));
        junk.append("\n[unterminated\n=\n[]\nkey only\n");
        TestFiles::write(path(), junk);
        SettingsStore store(path());
        store.read(S, K);
        store.write(S, K, QStringLiteral("1"));
        QCOMPARE(store.read(S, K), QStringLiteral("1"));
    }

    void unreadableFileStartsWithDefaultsAndSaysWhereOnce()
    {
        QDir().mkpath(path()); // a folder where the file should be cannot be read
        SettingsStore store(path());
        QVERIFY(store.problem().contains(QDir::toNativeSeparators(path())));
        QSignalSpy problems(&store, &SettingsStore::problemOccurred);
        QCOMPARE(store.read(S, K, QStringLiteral("dflt")), QStringLiteral("dflt"));
        store.write(S, K, QStringLiteral("1"));
        store.write(S, K, QStringLiteral("2"));
        QCOMPARE(store.read(S, K), QStringLiteral("2")); // kept for this run
        QCOMPARE(problems.count(), 0);                   // said once already, at the first read
        QVERIFY(store.isMemoryOnly());
        QDir(path()).removeRecursively();
    }

    void unwritableFileKeepsChangesForTheRunAndSaysSoOnce()
    {
        TestFiles::write(path(), "[Section]\nKey=old\n");
        QFile::setPermissions(path(), QFileDevice::ReadOwner);
        SettingsStore store(path());
        QSignalSpy problems(&store, &SettingsStore::problemOccurred);
        QVERIFY(!store.write(S, K, QStringLiteral("new")));
        QVERIFY(!store.write(S, K, QStringLiteral("newer")));
        QCOMPARE(problems.count(), 1);
        QVERIFY(problems.first().first().toString().contains(QDir::toNativeSeparators(path())));
        QCOMPARE(store.read(S, K), QStringLiteral("newer"));
        QCOMPARE(TestFiles::read(path()),
                 QByteArray("[Section]\nKey=old\n")); // the file is untouched
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void writesLeaveNoTemporaryFilesBehind()
    {
        SettingsStore store(path());
        for (int i = 0; i < 5; ++i)
            store.write(S, K, QString::number(i));
        const QStringList left = QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files);
        QCOMPARE(left, QStringList{QStringLiteral("Tolvane.ini")});
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
