#include "batchsteps.h"
#include "harness.h"

#include "mainwindow/confirmationwindow.h"

#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace BatchSteps;

// Batch files made by the writer, run by a real command interpreter: Wine's
// cmd, with the Wine prefix as the drive map.
class TestBatchWine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;
    QTemporaryDir m_out; // outside the prefix, so reached through z:
    QString m_wine;
    std::unique_ptr<Harness> m_h;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("WINEPREFIX"), m_prefix.path());
        env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

    // Runs a Wine program to its end, polling, and gives back what it printed.
    QString run(const QString &program, const QStringList &arguments, int seconds)
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForStarted(10000))
            return QStringLiteral("<did not start: %1>").arg(process.errorString());
        for (int waited = 0; waited < seconds && process.state() != QProcess::NotRunning; ++waited)
            process.waitForFinished(1000);
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
            return QStringLiteral("<still running after %1 s>").arg(seconds);
        }
        return QString::fromLocal8Bit(process.readAll());
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (m_wine.isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("wine is not installed (scripts/install-deps.sh --test installs it)");
            QSKIP("wine is not installed (scripts/install-deps.sh --test installs it)");
        }
        QVERIFY(m_prefix.isValid() && m_out.isValid());
        // A fresh prefix takes a while to set up; once per run is enough.
        const QString said = run(m_wine,
                                 {QStringLiteral("cmd"), QStringLiteral("/c"),
                                  QStringLiteral("echo"), QStringLiteral("ready")},
                                 600);
        QVERIFY2(said.contains(QStringLiteral("ready")),
                 qPrintable(QStringLiteral("Wine cannot run cmd: ") + said));
        // Setting up the prefix goes on in the background after the first
        // program ends; a batch file started meanwhile can fail to launch.
        const QString wineserver = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
        if (!wineserver.isEmpty())
            run(wineserver, {QStringLiteral("-w")}, 600);
    }

    void cleanupTestCase()
    {
        const QString wineserver = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
        if (!m_wine.isEmpty() && !wineserver.isEmpty())
            run(wineserver, {QStringLiteral("-k")}, 60);
    }

    void init()
    {
        m_h = std::make_unique<Harness>();
        m_h->drives = DriveMap::fromWinePrefix(m_prefix.path(), QDir::homePath());
        m_h->start();
        QVERIFY(QDir().mkpath(m_prefix.filePath(QStringLiteral("drive_c/Program Files/Tool"))));
    }

    void cleanup() { m_h.reset(); }

    void doesWhatItSays_data()
    {
        QTest::addColumn<QStringList>("steps"); // %out% stands for the output file
        QTest::addColumn<QString>("expected");

        QTest::newRow("runs the program")
            << steps({"c:", "c:\\Program Files\\Tool", "cmd /c echo OK> %out%", "run.bat"}) << "OK";
        QTest::newRow("changes directory")
            << steps({"c:", "c:\\Program Files\\Tool", "cmd /c cd> %out%", "cd.bat"})
            << "C:\\Program Files\\Tool";
        QTest::newRow("root folder")
            << steps({"c:", "c:\\", "cmd /c cd> %out%", "root.bat"}) << "C:\\";
        QTest::newRow("parameters") << steps({"c:", "c:\\Program Files\\Tool",
                                              "cmd /c echo one two  three> %out%", "p.bat"})
                                    << "one two  three";
        QTest::newRow("blanks kept")
            << steps({" c:", "c:\\Program Files\\Tool", "  cmd /c cd> %out%  ", "b.bat"})
            << "C:\\Program Files\\Tool";
        QTest::newRow("named like the old temporary file")
            << steps({"c:", "c:", "cmd /c echo mine> %out%", "testfile.bat"}) << "mine";
    }

    void doesWhatItSays()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        const QString out =
            m_out.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_') +
                           QStringLiteral(".txt"));
        const QString dosOut = m_h->drives.toDos(out).value_or(QString());
        QVERIFY(dosOut.startsWith(QStringLiteral("z:\\")));
        steps[2].replace(QStringLiteral("%out%"), QLatin1Char('"') + dosOut + QLatin1Char('"'));

        write(*m_h, steps);
        QVERIFY2(m_h->messages.shown.isEmpty(), qPrintable(m_h->messages.texts().join(u'\n')));
        const QString target = m_h->forms->load<ConfirmationWindow>()->lblBatch2()->text();
        QCOMPARE(target, steps[1] + QLatin1Char('\\') + steps[3]);

        const QString said =
            run(m_wine, {QStringLiteral("cmd"), QStringLiteral("/c"), target}, 120);
        const QString result = QString::fromLatin1(contents(out)).trimmed();
        QVERIFY2(
            result.compare(expected, Qt::CaseInsensitive) == 0,
            qPrintable(
                QStringLiteral("%1 instead of %2; Wine said: %3").arg(result, expected, said)));
    }
};

QTEST_MAIN(TestBatchWine)
#include "tst_batchwine.moc"
