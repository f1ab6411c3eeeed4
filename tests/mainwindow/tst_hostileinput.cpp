#include "batchsteps.h"
#include "harness.h"

#include "core/codepage.h"
#include "core/settingsentries.h"
#include "mainwindow/confirmationwindow.h"
#include "mainwindow/mainwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace BatchSteps;
using namespace SettingsEntries;

// Whatever is typed into the four steps, pressing "&OK" ends in one of two
// ways: the batch file stands exactly where the answers name it, and nothing
// else on the disk changed; or one clear message is shown, the answers stay
// as typed, nothing is stored and nothing on the disk changed. Never a crash,
// never a file somewhere else, never an earlier file lost.
//
// The disk: c: is drive_c in a temporary folder, with the current folder in
// c:\windows; "outside" lies beside drive_c, off every drive but z:.
namespace {

const QString windows = QStringLiteral("drive_c/windows/");

QString repeated(const QString &part, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

// Long paths would push the reason out of a failure report.
QString shortened(const QString &text)
{
    QString flat = text;
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return flat.size() < 400 ? flat : flat.left(100) + QStringLiteral(" [...] ") + flat.right(200);
}

// The writer's code page is the one of this process's locale.
QByteArray batchBytes(const QStringList &steps)
{
    CodePage::Encoder encoder(CodePage::forUser());
    QByteArray bytes;
    for (const QString &line :
         {QStringLiteral("@echo off"),
          QStringLiteral("rem This batch file was created using Tolvane!"),
          QStringLiteral("rem You can get your own copy at tolvane.org"), steps[0],
          QStringLiteral("cd ") + steps[1], steps[2], QStringLiteral("exit")})
        bytes += encoder.encode(line).value_or("<not in the code page>") + "\r\n";
    return bytes;
}

} // namespace

class TestHostileInput : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_h;
    QString m_startFolder;

    QString at(const QString &relative) const { return m_h->dir.filePath(relative); }
    // Qt cannot remove this one: it skips names that are not UTF-8.
    QByteArray notUtf8() const
    {
        return QFile::encodeName(at(QStringLiteral("drive_c/"))) + "caf\xe9.bat";
    }

    // Everything on the disk the program could reach, but its settings file.
    QStringList disk() const
    {
        QStringList entries = snapshot(m_h->dir.path());
        const QString settingsFolder = QFileInfo(m_h->iniPath()).absolutePath();
        entries.removeIf([&](const QString &entry) { return entry.startsWith(settingsFolder); });
        return entries;
    }

    void makeDisk()
    {
        put(at(windows + QStringLiteral("notepad.bat")), "earlier\r\n");
        put(at(QStringLiteral("drive_c/testfile.bat")), "the user's own\r\n");
        put(at(QStringLiteral("drive_c/locked.bat")), "mine\r\n");
        QFile::setPermissions(at(QStringLiteral("drive_c/locked.bat")), QFile::ReadOwner);
        QDir().mkpath(at(QStringLiteral("drive_c/Program Files")));
        QDir().mkpath(at(QStringLiteral("drive_c/folder.bat")));
        QDir().mkpath(at(QStringLiteral("drive_c/readonly")));
        QFile::setPermissions(at(QStringLiteral("drive_c/readonly")),
                              QFile::ReadOwner | QFile::ExeOwner);
        put(at(QStringLiteral("outside/victim.bat")), "outside\r\n");
        QFile::link(QStringLiteral("../outside/victim.bat"),
                    at(QStringLiteral("drive_c/link.bat")));
        QFile::link(QStringLiteral("../outside/nothing.bat"),
                    at(QStringLiteral("drive_c/dangling.bat")));
        // Names Linux allows and DOS cannot hold.
        QDir().mkpath(at(QStringLiteral("drive_c/a\\b")));
        ::close(::open(notUtf8().constData(), O_CREAT | O_WRONLY, 0644));
        mkfifo(QFile::encodeName(at(QStringLiteral("drive_c/pipe.bat"))).constData(), 0600);
        QFile::link(QStringLiteral("/dev/null"), at(QStringLiteral("drive_c/null.bat")));
    }

    // Runs one row again as an ordinary user, for whom permissions count.
    void runRowAsUser()
    {
        if (!TestFiles::canRunAsNobody())
            QSKIP("no ordinary user to run this case as: root may write anywhere");
        TestFiles::runAsNobody(
            {QStringLiteral("hostileInput:") + QString::fromUtf8(QTest::currentDataTag())});
    }

private Q_SLOTS:
    void initTestCase() { m_startFolder = QDir::currentPath(); }

    void init()
    {
        m_h = std::make_unique<Harness>();
        makeDisk();
        QVERIFY(QDir::setCurrent(at(windows)));
        m_h->writeIni("[Settings]\nSettings=FirstTime\nLoadOnStartup=1\n"
                      "[TolvaneConfirm]\nShowWindow=1\n");
        m_h->start();
        Harness::settle();
    }

    void cleanup()
    {
        QDir::setCurrent(m_startFolder);
        ::unlink(notUtf8().constData());
        QFile::setPermissions(at(QStringLiteral("drive_c/readonly")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_h.reset();
    }

    void hostileInput_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("writtenTo"); // below the temporary folder; empty: refused
        QTest::addColumn<QString>("message");   // a pattern the one message matches
        QTest::addColumn<bool>("asUser");       // needs permissions that bind

        const auto written = [](const char *tag, QStringList answers, const char *to) {
            QTest::newRow(tag) << answers << QString::fromUtf8(to) << QString() << false;
        };
        const auto refused = [](const char *tag, QStringList answers, const char *message) {
            QTest::newRow(tag) << answers << QString() << QString::fromUtf8(message) << false;
        };
        const char *dir = "c:\\windows";
        const QString longName = repeated(QStringLiteral("a"), 4000) + QStringLiteral(".bat");
        const QString longFolder = QStringLiteral("c:") + repeated(QStringLiteral("\\deep"), 800);

        // What works, however odd it looks.
        written("plain", steps({"c:", dir, "notepad.exe", "new.bat"}), "drive_c/windows/new.bat");
        written("replaces the earlier file", steps({"c:", dir, "notepad.exe", "notepad.bat"}),
                "drive_c/windows/notepad.bat");
        written("blank step 3", steps({"c:", dir, "   ", "blank.bat"}),
                "drive_c/windows/blank.bat");
        written("blanks and a tab in the program line",
                steps({"c:", dir, "  a.exe\t/x  y ", "tab.bat"}), "drive_c/windows/tab.bat");
        written("OEM letters", steps({"c:", dir, "Jeu½é.exe", "é½ÿ.bat"}),
                "drive_c/windows/é½ÿ.bat");
        written("no extension", steps({"c:", dir, "a.exe", "noext"}), "drive_c/windows/noext");
        written("folder ending in a backslash", steps({"c:", "c:\\", "a.exe", "root.bat"}),
                "drive_c/root.bat");
        written("forward slashes", steps({"c:", "c:/windows", "a.exe", "fwd.bat"}),
                "drive_c/windows/fwd.bat");
        written("folder in other letter case", steps({"C:", "C:\\WINDOWS", "a.exe", "UP.BAT"}),
                "drive_c/windows/UP.BAT");
        written("existing file in other letter case", steps({"c:", dir, "a.exe", "NOTEPAD.BAT"}),
                "drive_c/windows/notepad.bat");
        written("testfile.bat in c:\\", steps({"c:", "c:\\", "a.exe", "testfile.bat"}),
                "drive_c/testfile.bat");
        written("dot and dot-dot",
                steps({"c:", "c:\\windows\\.\\..\\windows", "a.exe", "dots.bat"}),
                "drive_c/windows/dots.bat");
        written("dot-dot cannot leave the drive",
                steps({"c:", "c:\\..\\..\\..\\windows", "a.exe", "climb.bat"}),
                "drive_c/windows/climb.bat");
        written("dot-dot in the file name", steps({"c:", dir, "a.exe", "..\\up.bat"}),
                "drive_c/up.bat");
        written("inner dots and blanks kept as typed", steps({"c:", dir, "a.exe", " trail .bat"}),
                "drive_c/windows/ trail .bat");
        written("program line of 4000 characters",
                QStringList{QStringLiteral("c:"), QString::fromLatin1(dir),
                            repeated(QStringLiteral("x"), 4000), QStringLiteral("long.bat")},
                "drive_c/windows/long.bat");
        // In the root, where the whole path stays below Windows's 260 characters.
        QTest::newRow("name of 255 characters")
            << QStringList{QStringLiteral("c:"), QStringLiteral("c:\\"), QStringLiteral("a.exe"),
                           repeated(QStringLiteral("n"), 251) + QStringLiteral(".bat")}
            << QStringLiteral("drive_c/") + repeated(QStringLiteral("n"), 251) +
                   QStringLiteral(".bat")
            << QString() << false;
        written("command characters kept",
                steps({"c:", dir, "a.exe %1 & del *.* > nul", "cmd.bat"}),
                "drive_c/windows/cmd.bat");
        written("symlink: the file it points to is replaced",
                steps({"c:", "c:\\", "a.exe", "link.bat"}), "outside/victim.bat");
        written("matched without regard to case beside a name that is not UTF-8",
                steps({"c:", "c:\\", "a.exe", "CAFE.BAT"}), "drive_c/CAFE.BAT");
        written("dangling symlink: the file it names is made",
                steps({"c:", "c:\\", "a.exe", "dangling.bat"}), "outside/nothing.bat");

        // What cannot work, and says so.
        refused("all empty", steps({"", "", "", ""}), "^Please enter a response for Step 1$");
        refused("markup in the folder", steps({"c:", "c:\\<img src=/dev/zero>", "a.exe", "a.bat"}),
                "^Step 2 holds the character \"<\", which a folder name cannot hold");
        // The file would run somewhere else than the answers say, or not at all.
        refused("blank step 1", steps({" ", dir, "a.exe", "a.bat"}), "^Step 1 is not a drive");
        for (const auto &[tag, folder] : {std::pair{"bare drive as folder", "c:"},
                                          {"relative folder", "..\\Program Files"},
                                          {"current folder", "."},
                                          {"rooted folder without a drive", "\\windows"},
                                          {"not a drive letter", "1:\\games"}})
            refused(tag, steps({"c:", folder, "a.exe", "a.bat"}),
                    "^Step 2 is not the whole path of a folder");
        refused("other drive in step 1", steps({"d:", dir, "a.exe", "d.bat"}),
                "^Step 2 is on drive c:, but step 1 is drive d:");
        refused("right-to-left override", steps({"c:", dir, "a\u202Eexe.bat", "a.bat"}),
                "^Step 3 holds the character .* \\(U\\+202E\\)");
        refused("step 3 empty", steps({"c:", dir, "", "a.bat"}),
                "^Please enter a response for Step 3$");
        refused("line feed in step 1", steps({"c:\nformat c:", dir, "a.exe", "a.bat"}),
                "^Step 1 holds a line break");
        refused("CR LF in step 3", steps({"c:", dir, "a.exe\r\ndel *.*", "a.bat"}),
                "^Step 3 holds a line break");
        refused("line break in the folder", steps({"c:", "c:\\win\ndows", "a.exe", "a.bat"}),
                "^Step 2 holds a line break");
        refused("line break in the name", steps({"c:", dir, "a.exe", "a\n.bat"}),
                "^Step 4 holds a line break");
        refused("form feed", steps({"c:", dir, "a\f.exe", "a.bat"}), "^Step 3 holds a line break");
        refused("line separator U+2028", steps({"c:", dir, "a\u2028.exe", "a.bat"}),
                "^Step 3 holds a line break");
        refused("NUL",
                QStringList{QStringLiteral("c:"), QString::fromLatin1(dir),
                            QStringLiteral("a") + QChar(0) + QStringLiteral(".exe"),
                            QStringLiteral("a.bat")},
                "^Step 3 holds the control character U\\+0000");
        refused("escape character", steps({"c:\x1b[2J", dir, "a.exe", "a.bat"}),
                "^Step 1 holds the control character U\\+001B");
        refused("trailing dot and blank", steps({"c:", dir, "a.exe", " trail .bat. "}),
                "^Step 4 ends in a blank or a dot");
        refused("DEL", steps({"c:", dir, "a\x7f.exe", "a.bat"}),
                "^Step 3 holds the control character U\\+007F");
        refused("caret joining the cd line", steps({"c:^", dir, "a.exe", "a.bat"}),
                "^Step 1 ends in a caret");
        refused("euro outside the code page", steps({"c:", dir, "a.exe", "€.bat"}),
                "^Step 4 holds the character \"€\" \\(U\\+20AC\\), which the batch file's "
                "character set, code page [0-9]+,");
        QTest::newRow("name of 200 letters é")
            << QStringList{QStringLiteral("c:"), QString::fromLatin1(dir), QStringLiteral("a.exe"),
                           QString(200, u'é')}
            << QString() << QStringLiteral("its 200 characters take 400 bytes") << false;
        refused("arrow outside the code page", steps({"c:", dir, "a\u2192b.exe", "a.bat"}),
                "^Step 3 holds the character \"\u2192\" \\(U\\+2192\\)");
        refused("emoji in the folder", steps({"c:", "c:\\\U0001F600", "a.exe", "a.bat"}),
                "^Step 2 holds the character \"\U0001F600\" \\(U\\+1F600\\)");
        refused("CJK name", steps({"c:", dir, "a.exe", "\u6587.bat"}),
                "^Step 4 holds the character \"\u6587\"");
        refused("lone surrogate",
                QStringList{QStringLiteral("c:"), QString::fromLatin1(dir), QStringLiteral("a.exe"),
                            QString(QChar(0xD800)) + QStringLiteral(".bat")},
                "^Step 4 holds the character \"\" \\(U\\+D800\\)");
        refused("missing folder", steps({"c:", "c:\\nowhere", "a.exe", "a.bat"}),
                "c:\\\\nowhere does not exist");
        refused("folder is a file", steps({"c:", "c:\\testfile.bat", "a.exe", "a.bat"}),
                "c:\\\\testfile.bat is a file, not a folder");
        refused("target is a folder", steps({"c:", "c:\\", "a.exe", "folder.bat"}),
                "c:\\\\\\\\folder.bat is a folder");
        refused("dot-dot as the name", steps({"c:", dir, "a.exe", ".."}), "is a folder");
        refused("read-only file", steps({"c:", "c:\\", "a.exe", "locked.bat"}),
                "already exists and is read-only");
        refused("name of 4000 characters",
                QStringList{QStringLiteral("c:"), QString::fromLatin1(dir), QStringLiteral("a.exe"),
                            longName},
                "^Step 4 makes the batch file's path");
        refused("path of 4000 characters",
                QStringList{QStringLiteral("c:"), longFolder, QStringLiteral("a.exe"),
                            QStringLiteral("a.bat")},
                "^Step 2 makes the batch file's path");
        refused("unmapped drive", steps({"q:", "q:\\games", "a.exe", "a.bat"}),
                "drive q: is not mapped");
        refused("network path", steps({"c:", "\\\\server\\share", "a.exe", "a.bat"}),
                "network paths");
        refused("device con", steps({"c:", dir, "a.exe", "con"}), "CON is the name of a device");
        refused("device nul", steps({"c:", dir, "a.exe", "nul"}), "NUL is the name of a device");
        refused("device aux.bat", steps({"c:", dir, "a.exe", "aux.bat"}),
                "AUX is the name of a device");
        refused("device COM1.BAT", steps({"c:", dir, "a.exe", "COM1.BAT"}),
                "COM1 is the name of a device");
        refused("device lpt9 with two extensions", steps({"c:", dir, "a.exe", "lpt9.txt.bat"}),
                "LPT9 is the name of a device");
        refused("device CONOUT$", steps({"c:", dir, "a.exe", "conout$.txt"}),
                "CONOUT\\$ is the name of a device");
        refused("device COM²", steps({"c:", dir, "a.exe", "Com².bat"}),
                "COM² is the name of a device");
        refused("device behind a folder", steps({"c:", dir, "a.exe", "sub\\prn.bat"}),
                "PRN is the name of a device");
        refused("question mark", steps({"c:", dir, "a.exe", "a?.bat"}), "character \"\\?\"");
        refused("wildcard", steps({"c:", dir, "a.exe", "*.bat"}), "character \"\\*\"");
        refused("pipe", steps({"c:", dir, "a.exe", "a|b.bat"}), "character \"\\|\"");
        refused("colon in the name", steps({"c:", dir, "a.exe", "a:b.bat"}), "character \":\"");
        refused("drive in the name", steps({"c:", dir, "a.exe", "d:\\x.bat"}), "does not exist");
        refused("name ends in a backslash", steps({"c:", dir, "a.exe", "sub\\"}), "names no file");
        refused("typed a\\b is two folders, never the folder named a\\b",
                steps({"c:", "c:\\a\\b", "a.exe", "a.bat"}), "does not exist");
        refused("named pipe as the target", steps({"c:", "c:\\", "a.exe", "pipe.bat"}),
                "c:\\\\\\\\pipe.bat is a named pipe \\(FIFO\\), not a file");
        refused("link to a device as the target", steps({"c:", "c:\\", "a.exe", "null.bat"}),
                "c:\\\\\\\\null.bat is a device, not a file");
        QTest::newRow("read-only folder") << steps({"c:", "c:\\readonly", "a.exe", "a.bat"})
                                          << QString() << QStringLiteral("[Pp]ermission") << true;
        // Another user's file in a folder such as /tmp (made by the root side).
        QTest::newRow("rename refused by a sticky folder")
            << steps({"z:", "z:\\tmp\\tolvane-sticky", "a.exe", "theirs.bat"}) << QString()
            << QStringLiteral("belongs to another user, and the folder z:\\\\tmp\\\\tolvane-sticky "
                              "lets only a file's owner replace it")
            << true;
    }

    void hostileInput()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, writtenTo);
        QFETCH(QString, message);
        QFETCH(bool, asUser);
        if (asUser && geteuid() == 0) {
            const QString sticky = QStringLiteral("/tmp/tolvane-sticky");
            QDir(sticky).removeRecursively();
            QVERIFY(QDir().mkpath(sticky));
            QCOMPARE(chmod(QFile::encodeName(sticky).constData(), 01777), 0);
            put(sticky + QStringLiteral("/theirs.bat"), "theirs\r\n");
            QCOMPARE(
                chmod(QFile::encodeName(sticky + QStringLiteral("/theirs.bat")).constData(), 0666),
                0);
            runRowAsUser();
            QCOMPARE(contents(sticky + QStringLiteral("/theirs.bat")), QByteArray("theirs\r\n"));
            QCOMPARE(QDir(sticky).entryList(QDir::Files | QDir::Hidden).size(), 1);
            QDir(sticky).removeRecursively();
            return;
        }
        // Run by an ordinary user, the row needs another user's file, which
        // only the root side can make.
        if (const QFileInfo theirs(QStringLiteral("/tmp/tolvane-sticky/theirs.bat"));
            typed[1].endsWith(QStringLiteral("tolvane-sticky")) &&
            (!theirs.exists() || theirs.ownerId() == geteuid()))
            QSKIP("another user's file in a sticky folder is made only when run as root");

        const QStringList before = disk();
        MainWindow *window = fill(*m_h, typed);
        pressOK(window);
        QCOMPARE(m_h->quitCalls, 0);

        if (writtenTo.isEmpty()) {
            QCOMPARE(m_h->messages.shown.size(), 1);
            const QString said = m_h->messages.shown.first().text;
            QCOMPARE(m_h->messages.shown.first().kind, FakeMessageBoxes::Critical);
            QVERIFY2(said.contains(QRegularExpression(message)), qPrintable(shortened(said)));
            QVERIFY(m_h->forms->isLoaded<MainWindow>());
            QVERIFY(window->isVisible());
            QCOMPARE(answers(window), typed);
            QVERIFY(!m_h->hasEntry(lastBatchPath));
            QVERIFY(!m_h->hasEntry(unloadMarker));
            QVERIFY(!m_h->forms->isLoaded<ConfirmationWindow>());
            QCOMPARE(disk(), before);
            return;
        }

        QVERIFY2(m_h->messages.shown.isEmpty(), qPrintable(m_h->messages.texts().join(u'|')));
        QCOMPARE(contents(at(writtenTo)), batchBytes(typed));
        QCOMPARE(m_h->read(lastBatchPath), typed[1] + QLatin1Char('\\') + typed[3]);
        QVERIFY(!m_h->forms->isLoaded<MainWindow>());
        QVERIFY(m_h->forms->load<ConfirmationWindow>()->isVisible());
        // Nothing else on the disk changed. (A link to the new file reads
        // as the new file.)
        const QString written = QFileInfo(at(writtenTo)).canonicalFilePath();
        auto others = [&](QStringList entries) {
            entries.removeIf([&](const QString &e) {
                return QFileInfo(e.left(e.lastIndexOf(QLatin1Char('=')))).canonicalFilePath() ==
                       written;
            });
            return entries;
        };
        QCOMPARE(others(disk()), others(before));
    }

    // A paste far past a command line's length is cut to fit, and said.
    void hugePasteIsCutAndSaid_data()
    {
        QTest::addColumn<int>("step");
        for (int step = 1; step <= 4; ++step)
            QTest::addRow("step %d", step) << step;
    }
    void hugePasteIsCutAndSaid()
    {
        QFETCH(int, step);
        QLineEdit *box = fields(m_h->forms->load<MainWindow>())[step - 1];
        QGuiApplication::clipboard()->setText(QString(10'000'000, u'x'));
        QTest::keySequence(box, QKeySequence::Paste);
        QCOMPARE(box->text().size(), 8191);
        QTRY_COMPARE(m_h->messages.shown.size(), 1);
        QVERIFY(m_h->messages.texts().first().startsWith(
            QStringLiteral("Step %1 holds at most 8191 characters").arg(step)));
    }
};

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
