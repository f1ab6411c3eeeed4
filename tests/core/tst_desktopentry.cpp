#include "testfiles.h"

#include "core/applicationsmenu.h"
#include "core/desktopentry.h"
#include "core/drivemap.h"
#include "core/runcommand.h"
#include "core/userfolders.h"
#include "core/writtenbatchfile.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// Mounts are made in a namespace of this process alone, which only root can have.
bool privateMounts()
{
    static const bool made = geteuid() == 0 && unshare(CLONE_NEWNS) == 0 &&
                             mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return made;
}

} // namespace

// Menu entries of batch files: their Exec line, their text as the key file
// holds it, checked by desktop-file-validate, and their writing.
class TestDesktopEntry : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    DriveMap m_drives;

    // A Windows program's batch file in `folder` on drive c:, and what runs it.
    std::pair<WrittenBatchFile, RunCommand> batchFile(const QString &folder) const
    {
        const WrittenBatchFile file{u"c:\\"_qs + folder + u"\\Go On.BAT"_qs,
                                    u"/games/"_qs + folder + u"/Go On.BAT"_qs,
                                    ProgramKind::Windows,
                                    {}};
        const RunCommand command = RunCommand::forFile(file, m_drives);
        if (!command.ok())
            qFatal("%s", qPrintable(command.problem()));
        return {file, command};
    }

private Q_SLOTS:
    // A stand-in for wine, and a prefix whose name needs every kind of quoting.
    void initTestCase()
    {
        TestFiles::writeScript(m_tmp.filePath(QStringLiteral("bin/wine")), "exit 0");
        qputenv("PATH",
                QFile::encodeName(m_tmp.filePath(QStringLiteral("bin:"))) + qgetenv("PATH"));
        const QString prefix = m_tmp.filePath(QStringLiteral("my \"wine\" $HOME"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
        QVERIFY(QFile::link(QStringLiteral("/"), prefix + QStringLiteral("/dosdevices/c:")));
        m_drives = DriveMap::fromWinePrefix(prefix, QDir::homePath());
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");

        QTest::newRow("quoted only where needed")
            << QStringList{u"env"_qs, u"WINEPREFIX=/p"_qs, u"wine"_qs, u"c:\\a b.bat"_qs}
            << "env WINEPREFIX=/p wine \"c:\\\\a b.bat\"";
        QTest::newRow("& ' ; ( ) # ~ < | *") << QStringList{u"&'';()#~<|*"_qs} << "\"&'';()#~<|*\"";
        QTest::newRow("$ ` \" escaped") << QStringList{u"a$b`c\"d"_qs} << "\"a\\$b\\`c\\\"d\"";
        QTest::newRow("percent doubled")
            << QStringList{u"100%"_qs, u"a %1"_qs} << "100%% \"a %%1\"";
        QTest::newRow("empty argument") << QStringList{u"x"_qs, QString()} << "x \"\"";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QCOMPARE(DesktopEntry::commandLine(arguments), line);
    }

    // The entry of a batch file in `folder` holds `line` as written, and
    // desktop-file-validate finds nothing wrong with it.
    void validEntry_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("line");
        // Backslashes are doubled twice in Exec: once by its quoting, once by
        // the key file's own escaping.
        QTest::newRow("& and a prefix with \" and $")
            << " Tom & Jerry"
            << u"Exec=env \"WINEPREFIX=%1/my \\\\\"wine\\\\\" \\\\$HOME\" wine "
               "\"c:\\\\\\\\ Tom & Jerry\\\\\\\\Go On.BAT\""_qs.arg(m_tmp.path());
        QTest::newRow("% doubled in Exec only") << "100% it's"
                                                << "Path=/games/100% it's";
        QTest::newRow("$ ` \" ; #") << "$x `y` \"z\"; #1"
                                    << "Name=Go On";
        QTest::newRow("blanks at the ends, tab, é") << " a\tb é "
                                                    << "Path=/games/ a\\tb é\\s";
    }

    void validEntry()
    {
        QFETCH(QString, folder);
        QFETCH(QString, line);
        const auto [file, command] = batchFile(folder);
        const DesktopEntry entry(file, command, QStringLiteral("/i/x.png"));
        QCOMPARE(entry.problem(), QString());
        QVERIFY2(entry.text().split('\n').contains(line.toUtf8()), entry.text().constData());
        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty() && qEnvironmentVariableIsSet("CI"))
            QFAIL("desktop-file-validate is missing (scripts/install-deps.sh --test)");
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is missing (scripts/install-deps.sh --test)");
        const QString path = m_tmp.filePath(DesktopEntry::idFor(file.hostPath) + u".desktop"_qs);
        TestFiles::write(path, entry.text());
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(validator, {path});
        QVERIFY(check.waitForFinished(60000));
        const QByteArray said = check.readAll();
        QVERIFY2(check.exitCode() == 0 && said.isEmpty(), said.constData());
    }

    void dataHome_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("dataHome");
        QTest::newRow("absolute") << QByteArray("/d/share/") << "/d/share";
        QTest::newRow("relative, ignored") << QByteArray("d/share") << "";
        QTest::newRow("empty") << QByteArray() << "";
    }

    void dataHome()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QString, dataHome);
        qputenv("XDG_DATA_HOME", variable);
        QCOMPARE(UserFolders::dataHome(),
                 dataHome.isEmpty() ? QDir::homePath() + u"/.local/share"_qs : dataHome);
    }

    // Adding the same file again replaces its entry and picture.
    void addedAgainReplaced()
    {
        const QString home = m_tmp.filePath(QStringLiteral("share"));
        const ApplicationsMenu menu(home);
        const auto [file, command] = batchFile(QStringLiteral("tool"));
        const QString id = DesktopEntry::idFor(file.hostPath);
        for (const QByteArray picture : {"first", "second"})
            QCOMPARE(menu.add(file, command, picture), std::nullopt);
        QCOMPARE(QDir(home + u"/applications"_qs).entryList({u"*.desktop"_qs}),
                 QStringList{id + u".desktop"_qs});
        QCOMPARE(QDir(home + u"/icons"_qs).entryList(QDir::Files), QStringList{id + u".png"_qs});
        QCOMPARE(TestFiles::read(menu.iconPath(id)), QByteArray("second"));
        QVERIFY(
            TestFiles::read(menu.entryPath(id)).contains("\nIcon=" + menu.iconPath(id).toUtf8()));
    }

    // A file in the applications folder's place: tst_confirmationwindow's addToMenu.
    void failureSaysWhy_data()
    {
        QTest::addColumn<QString>("mountOptions"); // of a tmpfs over the data home
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only disk") << "ro"
                                        << "The disk holding %1 is read-only.";
        QTest::newRow("full disk") << "size=4k"
                                   << "The disk holding %1/icons is full.";
    }

    void failureSaysWhy()
    {
        QFETCH(QString, mountOptions);
        QFETCH(QString, reason);
        if (!privateMounts())
            QSKIP("a read-only or full disk can only be made by root in a mount namespace");
        const QString home = m_tmp.filePath(QString::fromUtf8(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(home));
        QCOMPARE(mount("tmpfs", QFile::encodeName(home), "tmpfs", 0,
                       mountOptions.toLatin1().constData()),
                 0);
        QDir().mkpath(home + u"/icons"_qs);
        const auto [file, command] = batchFile(QStringLiteral("tool"));
        const auto problem = ApplicationsMenu(home).add(file, command, QByteArray(64 * 1024, 'x'));
        umount(QFile::encodeName(home));
        QVERIFY(problem);
        QVERIFY2(problem->startsWith(reason.arg(home)), qPrintable(*problem));
    }
};

QTEST_MAIN(TestDesktopEntry)
#include "tst_desktopentry.moc"
