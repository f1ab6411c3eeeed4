#include "core/settingsstore.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString S = QStringLiteral("Section");
const QString K = QStringLiteral("Key");

enum class Thing {
    Pipe,
    ZeroLink,
    Oversize,
    Nul,
    Binary,
    LockPipe,
    BigLock,
    NoPermission,
    ReadOnlyDisk,
    ReadOnlyFile,
    FullDisk,
    Held
};

// Mounts are made in a namespace of this process alone, which only root can have.
bool privateMounts()
{
    static const bool made = geteuid() == 0 && unshare(CLONE_NEWNS) == 0 &&
                             mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return made;
}

// What lies at a path, as far as a test can tell it changed.
QByteArray fingerprint(const QString &path)
{
    struct stat info
    {
    };
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return "<none>";
    return QByteArray::number(info.st_mode) + ' ' + QFile::symLinkTarget(path).toUtf8() + ' ' +
           (S_ISREG(info.st_mode) ? TestFiles::read(path) : QByteArray());
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Tolvane/Tolvane.ini")); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    // Only absolute folders count, cleaned; else the home folder the system
    // has for the user.
    void defaultLocationFollowsXdgConfigHome_data()
    {
        QTest::addColumn<QByteArray>("configHome");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("folder");
        const auto row = [](const char *tag, const char *configHome, const char *home,
                            const QString &folder) {
            QTest::newRow(tag) << QByteArray(configHome) << QByteArray(home) << folder;
        };
        const QString own = QFile::decodeName(getpwuid(getuid())->pw_dir);
        row("XDG_CONFIG_HOME", "/tmp/some-config", "/tmp/h", QStringLiteral("/tmp/some-config"));
        row("relative XDG_CONFIG_HOME", "some-config", "/tmp/h", QStringLiteral("/tmp/h/.config"));
        row("empty XDG_CONFIG_HOME", "", "/tmp/h/", QStringLiteral("/tmp/h/.config"));
        row("relative HOME", "", "h", own + QStringLiteral("/.config"));
    }
    void defaultLocationFollowsXdgConfigHome()
    {
        QFETCH(QByteArray, configHome);
        QFETCH(QByteArray, home);
        QFETCH(QString, folder);
        const QByteArray keptConfig = qgetenv("XDG_CONFIG_HOME"), keptHome = qgetenv("HOME");
        qputenv("XDG_CONFIG_HOME", configHome);
        qputenv("HOME", home);
        const QString path = SettingsStore::defaultFilePath();
        qputenv("XDG_CONFIG_HOME", keptConfig);
        qputenv("HOME", keptHome);
        QCOMPARE(path, folder + QStringLiteral("/Tolvane/Tolvane.ini"));
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
        // The whole new file of a writer killed before it could rename it.
        TestFiles::write(path() + QStringLiteral(".Ab3xYz"), "[Section]\nKey=x\n");
        SettingsStore store(path());
        for (int i = 0; i < 5; ++i)
            store.write(S, K, QString::number(i));
        const QStringList left = QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files);
        QCOMPARE(left, QStringList{QStringLiteral("Tolvane.ini")});
    }

    // Lines the store does not use stay where they were, the last one too.
    void handEditedLinesSurviveASave_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("value"); // empty: delete the section
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("comment at the end") << QByteArray("[Section]\nKey=0\n; the end\n") << "1"
                                            << QByteArray("[Section]\nKey=1\n; the end\n");
        QTest::newRow("comment at the end, no line end")
            << QByteArray("[A]\nx=1\n; the end") << "1"
            << QByteArray("[A]\nx=1\n; the end\n\n\n[Section]\nKey=1\n");
        QTest::newRow("comments and other lines")
            << QByteArray("; head\n[Section]\n; about it\nKEY = 0\nno entry\n") << "1"
            << QByteArray("; head\n[Section]\n; about it\nKEY=1\nno entry\n");
        QTest::newRow("CR LF lines")
            << QByteArray("[A]\r\nx=1\r\n") << " 1"
            << QByteArray("[A]\r\nx=1\r\n\r\n\r\n[Section]\r\nKey=\" 1\"\r\n");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[Section]\nKey=0\n") << "1"
                                         << QByteArray("\xEF\xBB\xBF[Section]\nKey=1\n");
        QTest::newRow("new key after the section's last")
            << QByteArray("[Section]\nOther=2\n\n; B\n[B]\ny=1\n") << "1"
            << QByteArray("[Section]\nOther=2\nKey=1\n\n; B\n[B]\ny=1\n");
        QTest::newRow("deleted section, comment about the next kept")
            << QByteArray("[Section]\nKey=0\n\n; B\n[B]\ny=1\n") << ""
            << QByteArray("; B\n[B]\ny=1\n");
        QTest::newRow("deleted last section")
            << QByteArray("[A]\nx=1\n\n\n[Section]\nKey=0\n") << "" << QByteArray("[A]\nx=1\n");
    }

    void handEditedLinesSurviveASave()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TestFiles::write(path(), before);
        SettingsStore store(path());
        QVERIFY(value.isEmpty() ? store.deleteSection(S) : store.write(S, K, value));
        QCOMPARE(TestFiles::read(path()), after);
    }

    // Anything but a settings file is said once, left as it is, and not
    // waited on; the store works from memory until there is a settings file
    // again, and then saves what it kept.
    void strangeFilesAreLeftAlone_data()
    {
        QTest::addColumn<Thing>("thing");
        QTest::addColumn<QString>("reason");
        QTest::newRow("named pipe") << Thing::Pipe << "named pipe";
        QTest::newRow("link to /dev/zero") << Thing::ZeroLink << "device";
        QTest::newRow("larger than 1 MiB") << Thing::Oversize << "larger than 1024 KiB";
        QTest::newRow("NUL byte") << Thing::Nul << "NUL byte at offset 31";
        QTest::newRow("binary data") << Thing::Binary << "not UTF-8";
    }

    void strangeFilesAreLeftAlone()
    {
        QFETCH(Thing, thing);
        QFETCH(QString, reason);
        QDir().mkpath(QFileInfo(path()).absolutePath());
        const QByteArray kept = "[Path/Filename]\nBatch=c:\\a.bat\n";
        if (thing == Thing::Pipe)
            QCOMPARE(mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
        else if (thing == Thing::ZeroLink)
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path()));
        else
            TestFiles::write(path(), thing == Thing::Oversize ? kept + QByteArray(1 << 20, ';')
                                     : thing == Thing::Nul    ? kept + '\0' + "[Settings]\n"
                                                              : kept + "\xff\xfe\x80\n");
        const QByteArray before = fingerprint(path());
        SettingsStore store(path());
        QVERIFY2(store.problem().contains(QDir::toNativeSeparators(path())) &&
                     store.problem().contains(reason),
                 qPrintable(store.problem()));
        QSignalSpy problems(&store, &SettingsStore::problemOccurred);
        QVERIFY(!store.write(S, K, QStringLiteral("1")));
        QCOMPARE(store.read(S, K), QStringLiteral("1"));
        QVERIFY(store.isMemoryOnly());
        QCOMPARE(problems.count(), 0); // said already
        QCOMPARE(fingerprint(path()), before);

        QFile::remove(path());
        TestFiles::write(path(), "[A]\nb=c\n");
        QVERIFY(store.write(S, QStringLiteral("Other"), QStringLiteral("2")));
        QCOMPARE(TestFiles::read(path()), QByteArray("[A]\nb=c\n\n\n[Section]\nKey=1\nOther=2\n"));
    }

    // A change that cannot be saved says why, once, and is saved by itself
    // once the cause is gone, with the changes made in between.
    void unsavedChangesAreSavedLater_data()
    {
        QTest::addColumn<Thing>("thing");
        QTest::addColumn<QString>("cause");
        QTest::newRow("lock file is a named pipe") << Thing::LockPipe << "is a named pipe";
        QTest::newRow("lock file of 2 GiB") << Thing::BigLock << "is not a lock file";
        QTest::newRow("folder without write permission")
            << Thing::NoPermission << "no permission to write in the folder";
        QTest::newRow("read-only disk") << Thing::ReadOnlyDisk << "on a read-only disk";
        QTest::newRow("file mounted read-only")
            << Thing::ReadOnlyFile << "(the file is on a read-only disk)";
        QTest::newRow("full disk") << Thing::FullDisk << "the disk is full";
        QTest::newRow("lock held by a live program")
            << Thing::Held << QStringLiteral("process %1").arg(getpid());
    }

    void unsavedChangesAreSavedLater()
    {
        QFETCH(Thing, thing);
        QFETCH(QString, cause);
        const QString disk = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()));
        const QString ini = disk + QStringLiteral("/Tolvane/Tolvane.ini");
        const QByteArray mountPoint = QFile::encodeName(disk);
        if (thing == Thing::NoPermission && geteuid() == 0) {
            if (!TestFiles::canRunAsNobody())
                QSKIP("no ordinary user to run this case as: root may write anywhere");
            return TestFiles::runAsNobody({QStringLiteral("unsavedChangesAreSavedLater:") +
                                           QString::fromUtf8(QTest::currentDataTag())});
        }
        QDir().mkpath(disk);
        const bool mounted = thing == Thing::ReadOnlyDisk || thing == Thing::FullDisk;
        if ((mounted || thing == Thing::ReadOnlyFile) && !privateMounts())
            QSKIP("a read-only or full disk can only be made by root in a private mount namespace");
        if (mounted)
            QCOMPARE(mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k"), 0);
        QVERIFY(SettingsStore(ini).write(S, QStringLiteral("Before"), QStringLiteral("1")));
        QLockFile otherLock(ini + QStringLiteral(".lock"));
        QFile filler(disk + QStringLiteral("/filler"));
        if (thing == Thing::LockPipe)
            QCOMPARE(mkfifo(QFile::encodeName(otherLock.fileName()).constData(), 0600), 0);
        if (thing == Thing::BigLock) {
            TestFiles::write(otherLock.fileName(), "");
            QVERIFY(QFile(otherLock.fileName()).resize(1ll << 31));
        }
        const QByteArray folder = QFile::encodeName(QFileInfo(ini).absolutePath());
        if (thing == Thing::NoPermission)
            QCOMPARE(chmod(folder.constData(), 0555), 0);
        if (thing == Thing::ReadOnlyDisk)
            QCOMPARE(
                mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr),
                0);
        const QByteArray iniPath = QFile::encodeName(ini);
        if (thing == Thing::ReadOnlyFile) {
            const char *file = iniPath.constData();
            QCOMPARE(mount(file, file, nullptr, MS_BIND, nullptr), 0);
            QCOMPARE(mount(nullptr, file, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0);
        }
        if (thing == Thing::FullDisk) {
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
            }
            filler.close();
        }
        if (thing == Thing::Held)
            QVERIFY(otherLock.tryLock(0));

        SettingsStore store(ini);
        QSignalSpy problems(&store, &SettingsStore::problemOccurred);
        QVERIFY(!store.write(S, K, QStringLiteral("kept")));
        QVERIFY(!store.write(S, QStringLiteral("Then"), QStringLiteral("too")));
        QTRY_COMPARE_WITH_TIMEOUT(problems.count(), 1, 20000);
        QVERIFY2(problems.first().first().toString().contains(cause),
                 qPrintable(problems.first().first().toString()));
        QCOMPARE(store.read(S, K), QStringLiteral("kept"));

        if (thing == Thing::NoPermission)
            QCOMPARE(chmod(folder.constData(), 0755), 0);
        if (thing == Thing::LockPipe || thing == Thing::BigLock)
            QVERIFY(QFile::remove(otherLock.fileName()));
        if (thing == Thing::ReadOnlyDisk)
            QCOMPARE(mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT, nullptr), 0);
        if (thing == Thing::ReadOnlyFile)
            QCOMPARE(umount(iniPath.constData()), 0);
        if (thing == Thing::FullDisk)
            QVERIFY(filler.remove());
        otherLock.unlock();
        QTRY_VERIFY_WITH_TIMEOUT(!store.isMemoryOnly(), 30000);
        SettingsStore next(ini);
        QCOMPARE(next.read(S, K), QStringLiteral("kept"));
        QCOMPARE(next.read(S, QStringLiteral("Then")), QStringLiteral("too"));
        QCOMPARE(next.read(S, QStringLiteral("Before")), QStringLiteral("1"));
        QCOMPARE(problems.count(), 1);
        if (mounted)
            umount(mountPoint.constData());
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
