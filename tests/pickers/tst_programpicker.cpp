#include "harness.h"
#include "pickertesting.h"

#include "core/dosfolder.h"
#include "mainwindow/mainwindow.h"
#include "pickers/dirlist.h"
#include "pickers/filelist.h"
#include "pickers/programpicker.h"
#include "pickers/statusline.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <sys/socket.h>
#include <sys/un.h>

using namespace PickerTesting;
using namespace Qt::StringLiterals;

class TestProgramPicker : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_harness;
    std::unique_ptr<CurrentFolder> m_current;
    MainWindow *m_main = nullptr;
    int m_socket = -1;

    ProgramPicker *open()
    {
        QTest::mouseClick(m_main->browseProgramButton(), Qt::LeftButton);
        if (!m_harness->forms->isLoaded<ProgramPicker>())
            return nullptr;
        auto *box = m_harness->forms->load<ProgramPicker>();
        waitIdle(box);
        return box;
    }

    static void waitIdle(ProgramPicker *box)
    {
        QTRY_VERIFY(!box->folderList()->isBusy() && !box->fileList()->isBusy());
    }

    QString driveC(const QString &below = {}) const { return m_harness->driveC() + below; }

    static const QStringList &allFiles()
    {
        static const QStringList files{u"app"_s, u"App.exe"_s, u"app.txt"_s, u"Readme"_s,
                                       u"SETUP.EXE"_s};
        return files;
    }

private Q_SLOTS:
    void init()
    {
        m_harness = std::make_unique<Harness>();
        makeFiles(driveC(u"/Games"_s), allFiles() + QStringList{u".hidden.exe"_s});
        makeFiles(driveC(u"/Games/Doom"_s), {u"doom.exe"_s, u"doom.wad"_s});
        // No program can be a pipe, a socket, a device or a link to nothing;
        // a link to a file can.
        const QByteArray games = QFile::encodeName(driveC(u"/Games/"_s));
        QVERIFY(::mkfifo((games + "pipe.exe").constData(), 0644) == 0);
        QVERIFY(QFile::link(u"/dev/null"_s, driveC(u"/Games/null.exe"_s)));
        QVERIFY(QFile::link(u"gone.exe"_s, driveC(u"/Games/dangling.exe"_s)));
        QVERIFY(QFile::remove(driveC(u"/Games/Readme"_s)));
        QVERIFY(QFile::link(u"app.txt"_s, driveC(u"/Games/Readme"_s)));
        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, (games + "socket.exe").constData(), sizeof address.sun_path);
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        m_current = std::make_unique<CurrentFolder>(driveC(u"/Games"_s));
        m_harness->start();
        m_main = m_harness->forms->load<MainWindow>();
    }

    void cleanup()
    {
        ::close(m_socket);
        m_current.reset();
        m_harness.reset();
    }

    // The field shows step 2; the lists show the process's current folder.
    void fieldShowsStep2WhileListsShowTheCurrentFolder()
    {
        m_main->directoryEdit()->setText(u"c:\\Elsewhere"_s);
        ProgramPicker *box = open();
        QVERIFY(box);
        QCOMPARE(box->searchedFolderLabel()->text(), u"c:\\Elsewhere"_s);
        QCOMPARE(box->folderList()->path(), u"c:\\Games"_s);
        QCOMPARE(box->fileList()->path(), u"c:\\Games"_s);
        // Hidden files left out, and what cannot be a program.
        QCOMPARE(rows(box->fileList()), allFiles());
        QCOMPARE(box->choiceEdit()->text(), QString());

        m_main->directoryEdit()->setText(u"c:\\Changed"_s);
        QCOMPARE(box->searchedFolderLabel()->text(), u"c:\\Elsewhere"_s);
    }

    void selectingAFileTakesItsBareNameAndNarrowsTheList()
    {
        ProgramPicker *box = open();
        FileList *list = box->fileList();
        QVERIFY(click(list, u"App.exe"_s));
        QCOMPARE(box->choiceEdit()->text(), u"App.exe"_s);
        QCOMPARE(rows(list), QStringList({u"App.exe"_s}));

        // Cleared, the list shows every file again, still on App.exe; the
        // keyboard then picks the next one.
        box->choiceEdit()->clear();
        QCOMPARE(rows(list), allFiles());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(box->choiceEdit()->text(), u"app.txt"_s);
        QCOMPARE(rows(list), QStringList({u"app.txt"_s}));
    }

    // Tab into the list only marks its first row; Space or the first key
    // that moves picks, as a click does, and the list narrows to the name.
    void keyboardPicksAsAClickDoes_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("picked");
        QTest::newRow("tab only") << QList<int>{} << QString();
        QTest::newRow("space") << QList<int>{Qt::Key_Space} << u"app"_s;
        QTest::newRow("space twice") << QList<int>{Qt::Key_Space, Qt::Key_Space} << u"app"_s;
        QTest::newRow("down") << QList<int>{Qt::Key_Down} << u"app"_s;
        QTest::newRow("up") << QList<int>{Qt::Key_Up} << u"app"_s;
        QTest::newRow("home") << QList<int>{Qt::Key_Home} << u"app"_s;
        QTest::newRow("end") << QList<int>{Qt::Key_End} << u"SETUP.EXE"_s;
    }
    void keyboardPicksAsAClickDoes()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, picked);
        ProgramPicker *box = open();
        box->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(box));
        FileList *list = box->fileList();
        list->setFocus(Qt::TabFocusReason);
        QVERIFY(list->hasFocus());
        for (int key : keys)
            QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(box->choiceEdit()->text(), picked);
        QCOMPARE(rows(list), picked.isEmpty() ? allFiles() : QStringList{picked});
    }

    void typedPatternFiltersTheList_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("*.EXE") << "*.EXE" << QStringList{u"App.exe"_s, u"SETUP.EXE"_s};
        QTest::newRow("*.exe") << "*.exe" << QStringList{u"App.exe"_s, u"SETUP.EXE"_s};
        QTest::newRow("a*") << "a*" << QStringList{u"app"_s, u"App.exe"_s, u"app.txt"_s};
        QTest::newRow("?pp.*") << "?pp.*" << QStringList{u"app"_s, u"App.exe"_s, u"app.txt"_s};
        QTest::newRow("no extension") << "*." << QStringList{u"app"_s, u"Readme"_s};
        QTest::newRow("one name") << "setup.exe" << QStringList{u"SETUP.EXE"_s};
        QTest::newRow("no such file") << "zork.exe" << QStringList{};
    }

    void typedPatternFiltersTheList()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, listed);
        ProgramPicker *box = open();
        QTest::keyClicks(box->choiceEdit(), typed);
        QCOMPARE(rows(box->fileList()), listed);
    }

    // While a name is typed, only a file named exactly like the text so far
    // is listed.
    void nameTypedLetterByLetter()
    {
        ProgramPicker *box = open();
        const QString name = u"app.txt"_s;
        for (qsizetype typed = 1; typed <= name.size(); ++typed) {
            QTest::keyClick(box->choiceEdit(), name.at(typed - 1).toLatin1());
            const QString soFar = name.left(typed);
            QStringList expected;
            if (soFar == u"app"_s || soFar == u"app."_s) // "app." finds "app", as in DOS
                expected = {u"app"_s};
            else if (soFar == name)
                expected = {name};
            QCOMPARE(rows(box->fileList()), expected);
        }
    }

    // A picked name that the command interpreter would split or act on goes
    // in quotes, with % doubled, so that it runs.
    void okReplacesStep3AndLeavesStep2_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("step3");
        QTest::newRow("plain") << u"doom.exe"_s << u"doom.exe"_s;
        QTest::newRow("blank") << u"doom 2.exe"_s << u"\"doom 2.exe\""_s;
        QTest::newRow("ampersand and percent") << u"a&b 100%.exe"_s << u"\"a&b 100%%.exe\""_s;
        QTest::newRow("caret") << u"a^b.exe"_s << u"\"a^b.exe\""_s;
    }

    void okReplacesStep3AndLeavesStep2()
    {
        QFETCH(QString, picked);
        QFETCH(QString, step3);
        makeFiles(driveC(u"/Games/Doom"_s), {picked});
        m_main->directoryEdit()->setText(u"c:\\Games"_s);
        m_main->programEdit()->setText(u"old.exe /fast"_s);
        ProgramPicker *box = open();
        QVERIFY(doubleClick(box->folderList(), u"Doom"_s));
        QTRY_COMPARE(box->fileList()->path(), u"c:\\Games\\Doom"_s);
        waitIdle(box);
        QVERIFY(click(box->fileList(), picked));
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QCOMPARE(m_main->programEdit()->text(), step3);
        QCOMPARE(m_main->directoryEdit()->text(), u"c:\\Games"_s);
        QVERIFY(!m_harness->forms->isLoaded<ProgramPicker>());
    }

    // Linux allows a backslash inside a name; such a folder is still listed
    // from the folder itself, not from its DOS path. A file of such a name is
    // shown, but cannot go into step 3.
    void folderWithABackslashInItsName_data() { oddNameRows(); }
    void folderWithABackslashInItsName()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        const QByteArray games = QFile::encodeName(driveC(u"/Games"_s));
        const RawName folder(games, name, true);
        const RawName file(games + '/' + name, name, false);
        m_main->programEdit()->setText(u"old.exe"_s);
        ProgramPicker *box = open();
        QVERIFY(doubleClick(box->folderList(), shown));
        QTRY_COMPARE(rows(box->fileList()), QStringList({shown}));
        QCOMPARE(box->statusLine()->message(), QString());
        QVERIFY(click(box->fileList(), shown));
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QCOMPARE(m_harness->messages.texts(),
                 QStringList({u"\"%1\" cannot be used in a batch file: its name holds %2."_s.arg(
                     shown, DosFolder::whyNotDos(box->choiceEdit()->text()))}));
        QVERIFY(m_harness->forms->isLoaded<ProgramPicker>());
        QCOMPARE(m_main->programEdit()->text(), u"old.exe"_s);
    }

    void patternLeftInTheBoxIsCopiedAsIs()
    {
        ProgramPicker *box = open();
        QTest::keyClicks(box->choiceEdit(), u"*.exe"_s);
        // Another folder keeps the pattern.
        QVERIFY(doubleClick(box->folderList(), u"Doom"_s));
        QTRY_COMPARE(box->fileList()->path(), u"c:\\Games\\Doom"_s);
        waitIdle(box);
        QCOMPARE(rows(box->fileList()), QStringList({u"doom.exe"_s}));
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QCOMPARE(m_main->programEdit()->text(), u"*.exe"_s);
    }

    void secondPressOpensNoSecondPicker()
    {
        ProgramPicker *box = open();
        QTest::keyClicks(box->choiceEdit(), u"kept"_s);
        QCOMPARE(open(), box);
        QCOMPARE(box->choiceEdit()->text(), u"kept"_s);
    }

    void okAfterTheMainWindowWasUnloadedLoadsItAgain()
    {
        ProgramPicker *box = open();
        m_main->close(); // the tray icon keeps the program running
        Harness::settle();
        QVERIFY(!m_harness->forms->isLoaded<MainWindow>());
        QTest::keyClicks(box->choiceEdit(), u"App.exe"_s);
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QVERIFY(m_harness->forms->isLoaded<MainWindow>());
        QCOMPARE(m_harness->forms->load<MainWindow>()->programEdit()->text(), u"App.exe"_s);
    }

    // Cancel answers while a big folder is still being read, and the reading
    // left behind does no harm when the picker has gone.
    void cancelWhileABigFolderIsRead()
    {
        QStringList names;
        for (int i = 0; i < 20000; ++i)
            names.append(u"file%1.dat"_s.arg(i, 5, 10, QLatin1Char('0')));
        makeFiles(driveC(u"/Big"_s), names);
        const CurrentFolder big(driveC(u"/Big"_s));
        for (int attempt = 0; attempt < 3; ++attempt) {
            QTest::mouseClick(m_main->browseProgramButton(), Qt::LeftButton);
            auto *box = m_harness->forms->load<ProgramPicker>();
            QTest::keyClicks(box->choiceEdit(), u"file1*"_s);
            QTest::mouseClick(box->cancelButton(), Qt::LeftButton);
            QVERIFY(!m_harness->forms->isLoaded<ProgramPicker>());
            Harness::settle();
        }
        ProgramPicker *box = open();
        QCOMPARE(box->fileList()->model()->rowCount(), 20000);
        QTest::keyClicks(box->choiceEdit(), u"FILE1999?.DAT"_s);
        QCOMPARE(rows(box->fileList()).size(), 10);
    }
};

QTEST_MAIN(TestProgramPicker)
#include "tst_programpicker.moc"
