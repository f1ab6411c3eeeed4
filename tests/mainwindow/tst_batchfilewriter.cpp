#include "batchsteps.h"
#include "harness.h"

#include "core/settingsentries.h"
#include "mainwindow/confirmationwindow.h"
#include "mainwindow/mainwindow.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTest>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace BatchSteps;
using namespace SettingsEntries;

namespace {

const QByteArray exampleFile =
    QByteArrayLiteral("@echo off\r\n"
                      "rem This batch file was created using Tolvane!\r\n"
                      "rem You can get your own copy at tolvane.org\r\n"
                      "c:\r\n"
                      "cd c:\\windows\r\n"
                      "notepad.exe\r\n"
                      "exit\r\n");
const QStringList example{QStringLiteral("c:"), QStringLiteral("c:\\windows"),
                          QStringLiteral("notepad.exe"), QStringLiteral("notepad.bat")};

} // namespace

class TestBatchFileWriter : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_h;

    QString onC(const QString &path) const { return m_h->driveC() + QLatin1Char('/') + path; }

    // The main window is still there with the answers as typed, and nothing
    // was stored.
    void verifyNothingDone(const QStringList &steps)
    {
        QVERIFY(m_h->forms->isLoaded<MainWindow>());
        MainWindow *window = m_h->forms->load<MainWindow>();
        QVERIFY(window->isVisible());
        QCOMPARE(answers(window), steps);
        QVERIFY(!m_h->hasEntry(lastBatchPath));
        QVERIFY(!m_h->hasEntry(unloadMarker));
        QVERIFY(!m_h->forms->isLoaded<ConfirmationWindow>());
        QCOMPARE(m_h->quitCalls, 0);
    }

private Q_SLOTS:
    void init()
    {
        m_h = std::make_unique<Harness>();
        m_h->start();
        QDir().mkpath(onC(QStringLiteral("windows")));
    }

    void cleanup() { m_h.reset(); }

    void writesTheFileAndConfirms()
    {
        put(onC(QStringLiteral("windows/NOTEPAD.BAT")), "earlier\r\n");
        write(*m_h, example);
        QVERIFY(m_h->messages.shown.isEmpty()); // replaced without a question
        // The existing file is found whatever its case, as on DOS.
        QCOMPARE(contents(onC(QStringLiteral("windows/NOTEPAD.BAT"))), exampleFile);
        QCOMPARE(QDir(onC(QStringLiteral("windows"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("NOTEPAD.BAT")});
        QCOMPARE(m_h->read(lastBatchPath), QStringLiteral("c:\\windows\\notepad.bat"));
        QVERIFY(!m_h->hasEntry(unloadMarker)); // consumed by the unload
        QVERIFY(!m_h->forms->isLoaded<MainWindow>());
        QVERIFY(m_h->forms->load<ConfirmationWindow>()->isVisible());
        QVERIFY(m_h->trayArea.isIconShown());
        QCOMPARE(m_h->quitCalls, 0);
    }

    void emptyStepIsRefused_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("step");

        QTest::newRow("all empty") << steps({"", "", "", ""}) << 1;
        QTest::newRow("step 2") << steps({"c:", "", "a.exe", "a.bat"}) << 2;
        QTest::newRow("step 3") << steps({"c:", "c:\\windows", "", "a.bat"}) << 3;
        QTest::newRow("step 4") << steps({"c:", "c:\\windows", "a.exe", ""}) << 4;
    }

    void emptyStepIsRefused()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, step);
        const QString iniBefore = m_h->iniText();
        const QStringList diskBefore = snapshot(m_h->driveC());
        MainWindow *window = fill(*m_h, steps);
        pressOK(window);
        QCOMPARE(m_h->messages.texts(),
                 QStringList{QStringLiteral("Please enter a response for Step %1").arg(step)});
        QCOMPARE(m_h->messages.shown.first().kind, FakeMessageBoxes::Critical);
        QCOMPARE(window->focusWidget(), fields(window)[step - 1]);
        verifyNothingDone(steps);
        QCOMPARE(m_h->iniText(), iniBefore);
        QCOMPARE(snapshot(m_h->driveC()), diskBefore);
    }

    // Each fault is told in one message; the answers stay, nothing is stored.
    void faultIsToldAndNothingLost_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("reason"); // a pattern the message must match
        QTest::addColumn<int>("focusStep");  // where the user is sent, 0 for nowhere

        const char *dir = "c:\\windows";
        QTest::newRow("missing folder") << steps({"c:", "c:\\nowhere", "a.exe", "a.bat"})
                                        << "folder c:\\\\nowhere does not exist" << 0;
        QTest::newRow("device name")
            << steps({"c:", dir, "a.exe", "con.bat"}) << "CON is the name of a device" << 0;
        QTest::newRow("reserved character")
            << steps({"c:", dir, "a.exe", "a?.bat"}) << "cannot hold the character \"\\?\"" << 0;
        QTest::newRow("no file name")
            << steps({"c:", dir, "a.exe", "sub\\"}) << "names no file" << 0;
        QTest::newRow("target is a folder")
            << steps({"c:", "c:\\", "a.exe", "windows"}) << "c:\\\\\\\\windows is a folder" << 0;
        QTest::newRow("read-only file")
            << steps({"c:", dir, "a.exe", "locked.bat"}) << "read-only" << 0;
        QTest::newRow("no permission")
            << steps({"z:", "z:\\sys", "a.exe", "a.bat"}) << "[Pp]ermission|read-only" << 0;
        QTest::newRow("unmapped drive") << steps({"q:", "q:\\games", "a.exe", "a.bat"})
                                        << "^Step 2 cannot be reached: drive q: is not mapped" << 2;
        QTest::newRow("network path")
            << steps({"c:", "\\\\server\\share", "a.exe", "a.bat"}) << "network paths" << 2;
        QTest::newRow("line break") << steps({"c:", dir, "a.exe\r\nformat c:", "a.bat"})
                                    << "^Step 3 holds a line break" << 3;
        QTest::newRow("not in the code page")
            << steps({"c:", dir, "a.exe", "a\u2192b.bat"})
            << "^Step 4 holds the character \"\u2192\" \\(U\\+2192\\)" << 4;
    }

    void faultIsToldAndNothingLost()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, reason);
        QFETCH(int, focusStep);
        put(onC(QStringLiteral("windows/locked.bat")), "mine\r\n");
        QFile::setPermissions(onC(QStringLiteral("windows/locked.bat")), QFile::ReadOwner);
        const QStringList diskBefore = snapshot(m_h->driveC());

        MainWindow *window = fill(*m_h, steps);
        pressOK(window);
        QCOMPARE(m_h->messages.shown.size(), 1);
        const QString message = m_h->messages.shown.first().text;
        QCOMPARE(m_h->messages.shown.first().kind, FakeMessageBoxes::Critical);
        QVERIFY2(message.contains(QRegularExpression(reason, QRegularExpression::MultilineOption)),
                 qPrintable(message));
        if (focusStep) {
            QLineEdit *field = fields(window)[focusStep - 1];
            QCOMPARE(window->focusWidget(), field);
            QVERIFY(field->hasSelectedText()); // the offending character
        } else {                               // a file error names the target as typed
            QVERIFY2(message.contains(steps[1] + QLatin1Char('\\') + steps[3]),
                     qPrintable(message));
        }
        verifyNothingDone(steps);
        QCOMPARE(snapshot(m_h->driveC()), diskBefore);
    }

    // A write that fails half-way leaves the earlier file as it was and no
    // half-written file beside it.
    void failedWriteKeepsEarlierFile()
    {
        const QString target = onC(QStringLiteral("windows/notepad.bat"));
        put(target, "earlier\r\n");
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 32; // less than the batch file needs
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        pressOK(fill(*m_h, example));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(m_h->messages.shown.size(), 1);
        QVERIFY(
            m_h->messages.shown.first().text.contains(QStringLiteral("c:\\windows\\notepad.bat")));
        QCOMPARE(contents(target), QByteArray("earlier\r\n"));
        QCOMPARE(QDir(onC(QStringLiteral("windows"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("notepad.bat")});
        verifyNothingDone(example);
    }

    // Needs a file system that really fills up, or is remounted read-only: a
    // small tmpfs in a private mount namespace, which only root can make.
    void diskTroubleIsSaid_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("said");
        QTest::newRow("full") << false << QStringLiteral("The disk is full.");
        QTest::newRow("remounted read-only")
            << true << QStringLiteral("The disk holding c:\\full is read-only.");
    }
    void diskTroubleIsSaid()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, said);
        if (geteuid() != 0 || unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            QSKIP("a full disk can only be made by root in a private mount namespace");
        const QString full = onC(QStringLiteral("full"));
        QDir().mkpath(full);
        QCOMPARE(mount("tmpfs", full.toLocal8Bit().constData(), "tmpfs", 0, "size=64k"), 0);
        put(full + QStringLiteral("/keep.bat"), "earlier\r\n");
        QFile filler(full + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (!readOnly && filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        if (readOnly)
            QCOMPARE(mount(nullptr, full.toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                           nullptr),
                     0);

        const QStringList answers = steps({"c:", "c:\\full", "a.exe", "keep.bat"});
        pressOK(fill(*m_h, answers));
        QCOMPARE(m_h->messages.texts(),
                 QStringList{QStringLiteral("The batch file c:\\full\\keep.bat could not be "
                                            "created.\n\n") +
                             said});
        QCOMPARE(contents(full + QStringLiteral("/keep.bat")), QByteArray("earlier\r\n"));
        verifyNothingDone(answers);
        umount(full.toLocal8Bit().constData());
    }

    // No temporary file of a fixed name: the user's own c:\testfile.bat stays
    // as it was, and may itself be the target.
    void noFixedTemporaryFile()
    {
        const QString own = onC(QStringLiteral("testfile.bat"));
        put(own, "the user's own\r\n");
        write(*m_h, example);
        QCOMPARE(contents(own), QByteArray("the user's own\r\n"));
        QCOMPARE(contents(onC(QStringLiteral("windows/notepad.bat"))), exampleFile);

        m_h->forms->unload<ConfirmationWindow>();
        write(*m_h, steps({"c:", "c:\\", "notepad.exe", "testfile.bat"}));
        QVERIFY(contents(own).endsWith("c:\r\ncd c:\\\r\nnotepad.exe\r\nexit\r\n"));
        QCOMPARE(m_h->read(lastBatchPath), QStringLiteral("c:\\\\testfile.bat"));
    }

    // Another running instance writing the same target at the same moment:
    // each write is whole, and neither gets in the other's way.
    void twoInstancesDoNotCollide()
    {
        const QString target = onC(QStringLiteral("windows/notepad.bat"));
        QSaveFile other(target);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("the other instance\r\n");
        write(*m_h, example);
        QVERIFY(m_h->messages.shown.isEmpty());
        QCOMPARE(contents(target), exampleFile);
        QVERIFY(other.commit());
        QCOMPARE(contents(target), QByteArray("the other instance\r\n"));
        QCOMPARE(QDir(onC(QStringLiteral("windows"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("notepad.bat")});
    }
};

QTEST_MAIN(TestBatchFileWriter)
#include "tst_batchfilewriter.moc"
