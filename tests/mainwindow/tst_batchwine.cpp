#include "batchsteps.h"
#include "harness.h"

#include "core/codepage.h"
#include "core/hostname.h"
#include "core/runcommand.h"
#include "core/settingsentries.h"
#include "mainwindow/confirmationwindow.h"

#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

#include <sys/stat.h>
#include <unistd.h>

using namespace BatchSteps;

// Batch files made by the writer, run by a real command interpreter: Wine's
// cmd, with the Wine prefix as the drive map. Each row writes its file in the
// language it names; the files of one language then run in one cmd. Files
// for a DOS program ("DOSBox" rows) run in DOSBox, one DOSBox each.
class TestBatchWine : public QObject
{
    Q_OBJECT

    struct Written
    {
        QString tag;
        QString target; // as the confirmation shows it
        QString out;    // where its program puts the folder it runs in
        QString expected;
    };

    QTemporaryDir m_prefix;
    QTemporaryDir m_out; // outside the prefix, so reached through z:
    QString m_wine;
    std::unique_ptr<Harness> m_h;
    QMap<QString, QList<Written>> m_written; // by language
    int m_files = 0;

    QProcessEnvironment environment(const QString &language = QStringLiteral("C.UTF-8")) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_CTYPE"));
        env.insert(QStringLiteral("LANG"), language);
        env.insert(QStringLiteral("WINEPREFIX"), m_prefix.path());
        env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

    // Runs a program to its end, polling, and gives back what it printed;
    // Wine in the language given, unless another environment is.
    QString run(const QString &program, const QStringList &arguments, int seconds,
                const QString &language = QStringLiteral("C.UTF-8"),
                const QProcessEnvironment &env = {})
    {
        QProcess process;
        process.setProcessEnvironment(env.isEmpty() ? environment(language) : env);
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

    // Runs the file as "Run" does, in DOSBox on no display; the file's "exit"
    // ends DOSBox, and its program leaves `made` behind.
    void runInDosBox(const QString &target, const QString &made)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dosbox")).isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("dosbox is not installed (scripts/install-deps.sh --test installs it)");
            QSKIP("dosbox is not installed (scripts/install-deps.sh --test installs it)");
        }
        const RunCommand command = RunCommand::forFile(
            {target, m_h->drives.toHost(target).path, ProgramKind::Dos, {}}, m_h->drives);
        QVERIFY2(command.ok(), qPrintable(command.problem()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_out.filePath(QStringLiteral("dosbox-home")));
        env.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("dummy"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        const QString said =
            run(command.arguments().first(), command.arguments().mid(1), 30, {}, env);
        QVERIFY2(QFile::exists(made),
                 qPrintable(made + QStringLiteral(" not made; DOSBox said: ") + said));
    }

    // The first Wine program in another language updates the prefix's
    // settings in the background; a file read meanwhile may be read in the
    // code page of the language before.
    void settleInLanguage(const QString &language)
    {
        run(m_wine, {QStringLiteral("cmd"), QStringLiteral("/c"), QStringLiteral("echo")}, 300,
            language);
        const QString wineserver = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
        if (!wineserver.isEmpty())
            run(wineserver, {QStringLiteral("-w")}, 300, language);
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
        // A drive whose folder's name is Latin-1, not UTF-8.
        const QByteArray latin1 = QFile::encodeName(m_out.path()) + "/caf\xe9";
        QCOMPARE(::mkdir(latin1.constData(), 0755), 0);
        QCOMPARE(::symlink(latin1.constData(),
                           QFile::encodeName(m_prefix.filePath(QStringLiteral("dosdevices/d:")))),
                 0);
    }

    void cleanupTestCase()
    {
        // Qt leaves names that are not UTF-8 behind.
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), m_out.path()});
        const QString wineserver = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
        if (!m_wine.isEmpty() && !wineserver.isEmpty())
            run(wineserver, {QStringLiteral("-k")}, 60);
    }

    void init()
    {
        m_h = std::make_unique<Harness>();
        m_h->drives = DriveMap::fromWinePrefix(m_prefix.path(), QDir::homePath());
        m_h->start();
        for (const char *folder : {"Program Files/Tool", "alpha", "Alpha", "WinIdle"})
            QVERIFY(
                QDir(m_prefix.filePath(QStringLiteral("drive_c"))).mkpath(QLatin1String(folder)));
    }

    void cleanup() { m_h.reset(); }

    void doesWhatItSays_data()
    {
        // %out% stands for the output file; without it, step 3 names a batch
        // program the test puts in the step-2 folder, which writes its folder.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected"); // "Step ...": how the writer refuses
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("codePage"); // the settings entry, if any

        const QString c = QStringLiteral("C.UTF-8");
        QTest::newRow("runs the program")
            << steps({"c:", "c:\\Program Files\\Tool", "cmd /c echo OK> %out%", "run.bat"}) << "OK"
            << c << QString();
        QTest::newRow("changes directory")
            << steps({"c:", "c:\\Program Files\\Tool", "cmd /c cd> %out%", "cd.bat"})
            << "C:\\Program Files\\Tool" << c << QString();
        QTest::newRow("root folder")
            << steps({"c:", "c:\\", "cmd /c cd> %out%", "root.bat"}) << "C:\\" << c << QString();
        QTest::newRow("parameters") << steps({"c:", "c:\\Program Files\\Tool",
                                              "cmd /c echo one two  three> %out%", "p.bat"})
                                    << "one two  three" << c << QString();
        QTest::newRow("blanks kept")
            << steps({" c:", "c:\\Program Files\\Tool", "  cmd /c cd> %out%  ", "b.bat"})
            << "C:\\Program Files\\Tool" << c << QString();
        QTest::newRow("named like the old temporary file")
            << steps({"c:", "c:\\", "cmd /c echo mine> %out%", "testfile.bat"}) << "mine" << c
            << QString();

        const QString de = QStringLiteral("de_DE.UTF-8");
        QTest::newRow("Büro é in 437")
            << steps({"c:", "c:\\Büro é", "cmd /c cd> %out%", "probe ü.bat"}) << "C:\\Büro é" << c
            << QString();
        QTest::newRow("Büro é in 850")
            << steps({"c:", "c:\\Büro é", "cmd /c cd> %out%", "probe ü 850.bat"}) << "C:\\Büro é"
            << de << QString();
        QTest::newRow("program ß½Ä in 437")
            << steps({"c:", "c:\\Grüße ½", "Äß½é.bat", "p.bat"}) << "C:\\Grüße ½" << c << QString();
        QTest::newRow("program ß½Ê in 850") << steps({"c:", "c:\\Grüße Ê", "ÄßÊ½.bat", "p.bat"})
                                            << "C:\\Grüße Ê" << de << QString();
        QTest::newRow("quoted folder and program")
            << steps({"c:", "c:\\Tom & Jerry 100%", "\"run & go ü.bat\"", "tj.bat"})
            << "C:\\Tom & Jerry 100%" << c << QString();
        QTest::newRow("Ê outside 437")
            << steps({"c:", "c:\\Ê", "a.exe", "a.bat"})
            << "Step 2 holds the character \"Ê\" (U+00CA), which the batch file's character set, "
               "code page 437,"
            << c << QString();
        QTest::newRow("€ outside 850")
            << steps({"c:", "c:\\", "€.exe", "a.bat"})
            << "Step 3 holds the character \"€\" (U+20AC)" << de << QString();
        QTest::newRow("settings entry: 437 for a German desktop")
            << steps({"c:", "c:\\Ê", "a.exe", "a.bat"}) << "Step 2 holds the character \"Ê\"" << de
            << "437";
        QTest::newRow("settings entry: EBCDIC ignored")
            << steps({"c:", "c:\\Büro é", "cmd /c cd> %out%", "ebcdic.bat"}) << "C:\\Büro é" << c
            << "37";
        // Wine's cmd opens the file and changes to the folder each in the
        // spelling that matches, exactly.
        QTest::newRow("case pair: alpha")
            << steps({"c:", "c:\\alpha", "where.bat", "pair.bat"}) << "C:\\alpha" << c << QString();
        QTest::newRow("case pair: Alpha")
            << steps({"c:", "c:\\Alpha", "where.bat", "pair.bat"}) << "C:\\Alpha" << c << QString();
        QTest::newRow("I and i in Turkish")
            << steps({"c:", "c:\\WINIDLE", "cmd /c cd> %out%", "idle.bat"}) << "C:\\WinIdle"
            << "tr_TR.UTF-8" << QString();
        QTest::newRow("drive folder not UTF-8")
            << steps({"d:", "d:\\", "cmd /c cd> %out%", "latin.bat"}) << "D:\\" << c << QString();
        // The program is a tiny DOS program that makes RAN.TXT where it runs.
        for (const char *folder : {"c:\\TOM&JER", "c:\\100%\\GAMES"})
            QTest::addRow("DOS program in %s", folder)
                << steps({"c:", folder, "MARK /X", "RUN.BAT"}) << "RAN.TXT"
                << "DOSBox" << QString();
    }

    void doesWhatItSays()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        QFETCH(QString, language);
        QFETCH(QString, codePage);
        const QString out = m_out.filePath(QStringLiteral("%1.txt").arg(++m_files));
        const QString dosOut = m_h->drives.toDos(out).value_or(QString());
        QVERIFY(dosOut.startsWith(QStringLiteral("z:\\")));
        const QString quotedOut = QLatin1Char('"') + dosOut + QLatin1Char('"');
        const bool dos = language == QStringLiteral("DOSBox");
        const QString folder = m_h->drives.toHost(steps[1]).path;
        // (Qt would make a folder of another name for one that is not UTF-8.)
        if (!HostName::hasRawBytes(folder))
            QVERIFY(QDir().mkpath(folder));
        if (steps[2].contains(QStringLiteral("%out%"))) {
            steps[2].replace(QStringLiteral("%out%"), quotedOut);
        } else if (dos) {
            // mov ah,3Ch; xor cx,cx; mov dx,name; int 21h; jc end; mov bx,ax;
            // mov ah,3Eh; int 21h; end: mov ax,4C00h; int 21h; name: "RAN.TXT"
            put(folder + QStringLiteral("/MARK.COM"),
                QByteArray::fromHex(
                    "b43c31c9ba1601cd21720689c3b43ecd21b8004ccd2152414e2e54585400"));
        } else {
            const QString program = QString(steps[2]).remove(QLatin1Char('"'));
            put(folder + QLatin1Char('/') + program, "@cd> " + quotedOut.toLatin1() + "\r\n");
        }
        if (!codePage.isEmpty())
            m_h->settings->write(SettingsEntries::codePage, codePage);

        // The writer takes the code page from the process's locale, as the
        // program does from the user's.
        const QByteArray before = std::setlocale(LC_CTYPE, nullptr);
        if (!std::setlocale(LC_CTYPE, dos ? "C.UTF-8" : language.toLatin1().constData())) {
            const QString missing =
                language +
                QStringLiteral(" is not generated (scripts/install-deps.sh --test generates it)");
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL(qPrintable(missing));
            QSKIP(qPrintable(missing));
        }
        write(*m_h, steps);
        std::setlocale(LC_CTYPE, before.constData());

        if (expected.startsWith(QStringLiteral("Step "))) {
            QCOMPARE(m_h->messages.texts().size(), 1);
            QVERIFY2(m_h->messages.texts().first().startsWith(expected),
                     qPrintable(m_h->messages.texts().first()));
            return;
        }
        QVERIFY2(m_h->messages.shown.isEmpty(), qPrintable(m_h->messages.texts().join(u'\n')));
        const QString target = m_h->forms->load<ConfirmationWindow>()->pathLabel()->text();
        QCOMPARE(target, steps[1] + QLatin1Char('\\') + steps[3]);
        if (dos)
            return runInDosBox(target, folder + QLatin1Char('/') + expected);
        m_written[language].append(
            {QString::fromUtf8(QTest::currentDataTag()), target, out, expected});
    }

    // One cmd per language runs every file written in it, each in a cmd of
    // its own, since each ends with "exit". What the files print is ASCII or
    // in Windows-1252, the ANSI page of every language here with letters
    // outside ASCII.
    void writtenFilesRunInWine()
    {
        if (m_written.isEmpty())
            QSKIP("no file was written");
        for (auto language = m_written.cbegin(); language != m_written.cend(); ++language) {
            const CodePage page =
                CodePage::fromNumber(CodePage::numberForLocale(language.key().toLatin1())).value();
            QString lines = QStringLiteral("@echo off\r\n");
            for (const Written &file : language.value())
                lines += QStringLiteral("cmd /c call \"%1\"\r\n")
                             .arg(QString(file.target).replace(u'%', QStringLiteral("%%")));
            const QString driver = m_out.filePath(QStringLiteral("run-%1.bat").arg(language.key()));
            const auto bytes = CodePage::Encoder(page).encode(lines);
            QVERIFY(bytes);
            put(driver, *bytes);
            settleInLanguage(language.key());
            const QString said = run(m_wine,
                                     {QStringLiteral("cmd"), QStringLiteral("/c"),
                                      m_h->drives.toDos(driver).value_or(QString())},
                                     300, language.key());
            for (const Written &file : language.value()) {
                // cmd writes what it redirects in the ANSI code page.
                QStringDecoder ansi("windows-1252");
                const QString result = QString(ansi.decode(contents(file.out))).trimmed();
                QVERIFY2(
                    result.compare(file.expected, Qt::CaseInsensitive) == 0,
                    qPrintable(QStringLiteral("%1 (%2): %3 instead of %4; Wine said: %5")
                                   .arg(file.tag, language.key(), result, file.expected, said)));
            }
        }
    }
};

QTEST_MAIN(TestBatchWine)
#include "tst_batchwine.moc"
