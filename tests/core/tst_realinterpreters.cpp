#include "testfiles.h"

#include "core/applicationsmenu.h"
#include "core/batchfile.h"
#include "core/batchfilesaver.h"
#include "core/desktopentry.h"
#include "core/detachedrun.h"
#include "core/drivemap.h"
#include "core/runcommand.h"
#include "core/writtenbatchfile.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int patience = 240000; // ms: Wine and DOSBox start slowly on a busy machine

// A DOS program that creates RAN.TXT in the current folder (int 21h, 3Ch),
// closes it and ends.
const QByteArray dosProgram = QByteArray::fromHex("b43c31c9ba1601cd217206" // create, jc end
                                                  "89c3b43ecd21"           // close
                                                  "b8004ccd21"             // exit 0
                                                  "52414e2e54585400");     // "RAN.TXT"

} // namespace

// Batch files run for real, by "Run" and from their menu entries through gio:
// a Windows stand-in (a .cmd) under Wine and a DOS program in DOSBox, each in
// a folder whose name shell, Exec and DOSBox quoting must all get right.
class TestRealInterpreters : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_prefix = m_tmp.filePath(QStringLiteral("wine"));
    QString m_dosDrive = m_tmp.filePath(QStringLiteral("dos & co 100% it's"));
    DriveMap m_drives;

    void need(const char *tool)
    {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            const QByteArray why =
                tool + QByteArray(" is missing (scripts/install-deps.sh --test)");
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL(why.constData());
            QSKIP(why.constData());
        }
    }

    static void runToEnd(const QString &program, const QStringList &arguments)
    {
        // What it starts inherits its output: a pipe closed on return would end that.
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        QVERIFY(process.waitForFinished(patience));
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *tool : {"wine", "wineserver", "dosbox", "gio"})
            need(tool);
        qputenv("WINEDEBUG", "-all");
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        qunsetenv("DISPLAY");
        qputenv("WINEPREFIX", QFile::encodeName(m_prefix));
        runToEnd(QStringLiteral("wine"), {u"cmd"_qs, u"/c"_qs, u"echo"_qs});
        runToEnd(QStringLiteral("wineserver"), {u"-w"_qs});
        // DOSBox's drive d: is a drive of the prefix too.
        QVERIFY(QDir().mkpath(m_dosDrive + u"/GAMES"_qs));
        QVERIFY(QFile::link(m_dosDrive, m_prefix + u"/dosdevices/d:"_qs));
        m_drives = DriveMap::fromWinePrefix(m_prefix, QDir::homePath());
    }

    void cleanupTestCase() { QProcess::execute(QStringLiteral("wineserver"), {u"-k"_qs}); }

    void runs_data()
    {
        QTest::addColumn<bool>("dos");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("fromMenu");
        const QStringList windows{u"c:"_qs, u"c:\\Tom & Jerry 100% it's (1) ^ $x"_qs,
                                  u"mark.cmd"_qs, u"go.bat"_qs};
        const QStringList dos{u"d:"_qs, u"d:\\GAMES"_qs, u"RAN.COM"_qs, u"GO.BAT"_qs};
        QTest::newRow("Wine, Run") << false << windows << false;
        QTest::newRow("Wine, gio launch") << false << windows << true;
        QTest::newRow("DOSBox, Run") << true << dos << false;
        QTest::newRow("DOSBox, gio launch") << true << dos << true;
    }

    void runs()
    {
        QFETCH(bool, dos);
        QFETCH(QStringList, steps);
        QFETCH(bool, fromMenu);
        const BatchFile batch({steps[0], steps[1], steps[2], steps[3]}, CodePage::forUser());
        QVERIFY(!batch.check());
        const QString folder = m_drives.toHost(steps[1]).path;
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(BatchFileSaver(m_drives).save(batch.targetPath(), *batch.bytes()), std::nullopt);
        TestFiles::write(folder + u"/mark.cmd"_qs, "@cd> marker.txt\r\n");
        TestFiles::write(folder + u"/RAN.COM"_qs, dosProgram);
        const QString marker = folder + (dos ? u"/RAN.TXT"_qs : u"/marker.txt"_qs);
        QFile::remove(marker);

        const WrittenBatchFile file{batch.targetPath(),
                                    m_drives.toHost(batch.targetPath()).path,
                                    dos ? ProgramKind::Dos : ProgramKind::Windows,
                                    {}};
        const RunCommand command = RunCommand::forFile(file, m_drives);
        QVERIFY2(command.ok(), qPrintable(command.problem()));
        if (fromMenu) {
            const ApplicationsMenu menu(m_tmp.filePath(QStringLiteral("share")));
            QCOMPARE(menu.add(file, command, "png"), std::nullopt);
            runToEnd(QStringLiteral("gio"),
                     {u"launch"_qs, menu.entryPath(DesktopEntry::idFor(file.hostPath))});
        } else {
            QCOMPARE((new DetachedRun(this))->start(command.arguments(), command.folder()),
                     std::nullopt);
        }
        // cmd says where it was: the folder, through its own drive.
        const QByteArray said = dos ? QByteArray() : steps[1].toLatin1().toLower();
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(marker) && TestFiles::read(marker).trimmed().toLower() == said, patience);
    }
};

QTEST_MAIN(TestRealInterpreters)
#include "tst_realinterpreters.moc"
