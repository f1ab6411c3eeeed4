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

constexpr int patience = 120000; // ms: DOSBox starts slowly on a busy machine

// A DOS program that creates RAN.TXT in the current folder (int 21h, 3Ch),
// closes it and ends.
const QByteArray dosProgram = QByteArray::fromHex("b43c31c9ba1601cd217206" // create, jc end
                                                  "89c3b43ecd21"           // close
                                                  "b8004ccd21"             // exit 0
                                                  "52414e2e54585400");     // "RAN.TXT"

} // namespace

// A batch file for a DOS program run for real in DOSBox (with SDL's dummy
// drivers), by "Run" and from its menu entry through gio, on a drive whose
// folder's name Exec and DOSBox quoting must both get right. Wine's side is
// the end-to-end test e2e_run_and_menu.
class TestDosBoxRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_drive = m_tmp.filePath(QStringLiteral("dos & co 100% it's"));
    DriveMap m_drives{{{u'd', m_drive}, {u'z', QStringLiteral("/")}}};

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *tool : {"dosbox", "gio"}) {
            if (!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                continue;
            const QByteArray why =
                tool + QByteArray(" is missing (scripts/install-deps.sh --test)");
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL(why.constData());
            QSKIP(why.constData());
        }
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        QVERIFY(QDir().mkpath(m_drive + u"/GAMES"_qs));
        TestFiles::write(m_drive + u"/GAMES/RAN.COM"_qs, dosProgram);
        const BatchFile batch({u"d:"_qs, u"d:\\GAMES"_qs, u"RAN.COM"_qs, u"GO.BAT"_qs});
        QCOMPARE(BatchFileSaver(m_drives).save(batch.targetPath(), *batch.bytes()), std::nullopt);
    }

    void runs_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("Run") << false;
        QTest::newRow("gio launch") << true;
    }

    void runs()
    {
        QFETCH(bool, fromMenu);
        const QString marker = m_drive + u"/GAMES/RAN.TXT"_qs;
        QFile::remove(marker);
        const WrittenBatchFile file{
            u"d:\\GAMES\\GO.BAT"_qs, m_drive + u"/GAMES/GO.BAT"_qs, ProgramKind::Dos, {}};
        const RunCommand command = RunCommand::forFile(file, m_drives);
        QVERIFY2(command.ok(), qPrintable(command.problem()));
        if (fromMenu) {
            const ApplicationsMenu menu(m_tmp.filePath(QStringLiteral("share")));
            QCOMPARE(menu.add(file, command, "png"), std::nullopt);
            // DOSBox inherits gio's output: a pipe that closes would end it.
            QProcess gio;
            gio.setStandardOutputFile(QProcess::nullDevice());
            gio.setStandardErrorFile(QProcess::nullDevice());
            gio.start(u"gio"_qs,
                      {u"launch"_qs, menu.entryPath(DesktopEntry::idFor(file.hostPath))});
            QVERIFY(gio.waitForFinished(patience));
        } else {
            QCOMPARE((new DetachedRun(this))->start(command.arguments(), command.folder()),
                     std::nullopt);
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), patience);
    }
};

QTEST_MAIN(TestDosBoxRun)
#include "tst_dosboxrun.moc"
