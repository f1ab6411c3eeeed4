#include "harness.h"
#include "pickertesting.h"
#include "testfiles.h"

#include "mainwindow/mainwindow.h"
#include "pickers/directorypicker.h"
#include "pickers/dirlist.h"
#include "pickers/drivelist.h"
#include "pickers/statusline.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

using namespace PickerTesting;
using namespace Qt::StringLiterals;

class TestDirectoryPicker : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_harness;
    std::unique_ptr<CurrentFolder> m_current;
    MainWindow *m_main = nullptr;

    DirectoryPicker *open()
    {
        QTest::mouseClick(m_main->browseDirectoryButton(), Qt::LeftButton);
        if (!m_harness->forms->isLoaded<DirectoryPicker>())
            return nullptr;
        auto *box = m_harness->forms->load<DirectoryPicker>();
        waitIdle(box);
        return box;
    }

    static void waitIdle(DirectoryPicker *box) { QTRY_VERIFY(!box->folderList()->isBusy()); }

    QString driveC(const QString &below = {}) const { return m_harness->driveC() + below; }

private Q_SLOTS:
    void init()
    {
        m_harness = std::make_unique<Harness>();
        QDir().mkpath(driveC(u"/Games/Doom"_s));
        QDir().mkpath(driveC(u"/Games/Quake/Maps"_s));
        QDir().mkpath(driveC(u"/Games/.cache"_s));
        makeFiles(driveC(u"/Games"_s), {u"setup.exe"_s});
        m_current = std::make_unique<CurrentFolder>(driveC(u"/Games"_s));
        m_harness->start();
        m_main = m_harness->forms->load<MainWindow>();
    }

    void cleanup()
    {
        m_current.reset();
        m_harness.reset();
    }

    void opensAtTheCurrentFolderWithAnEmptyBox()
    {
        DirectoryPicker *box = open();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->focusWidget(), box->driveList());
        QCOMPARE(box->driveList()->drive(), u"c: [%1]"_s.arg(driveC()));
        QCOMPARE(box->folderList()->path(), u"c:\\Games"_s);
        // Root, the way down, then the subfolders; hidden folders stay hidden.
        QCOMPARE(rows(box->folderList()),
                 QStringList({u"c:\\"_s, u"Games"_s, u"Doom"_s, u"Quake"_s}));
        QCOMPARE(box->choiceEdit()->text(), QString());
    }

    void okAtOnceEmptiesStep2()
    {
        m_main->directoryEdit()->setText(u"c:\\old"_s);
        DirectoryPicker *box = open();
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QCOMPARE(m_main->directoryEdit()->text(), QString());
        QVERIFY(!m_harness->forms->isLoaded<DirectoryPicker>());
    }

    void typedPathIsCopiedAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("a folder that does not exist") << "c:\\no\\such\\folder";
        QTest::newRow("trailing backslash kept") << "c:\\Games\\";
        QTest::newRow("other case kept") << "C:\\GAMES";
        QTest::newRow("no drive") << "games";
        QTest::newRow("blanks kept") << " d:\\x ";
    }

    void typedPathIsCopiedAsTyped()
    {
        QFETCH(QString, typed);
        DirectoryPicker *box = open();
        QTest::keyClicks(box->choiceEdit(), typed);
        // Typing leaves the lists alone.
        QVERIFY(!box->folderList()->isBusy());
        QCOMPARE(box->folderList()->path(), u"c:\\Games"_s);
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QCOMPARE(m_main->directoryEdit()->text(), typed);
    }

    void openedFolderIsCopiedWithItsDrive()
    {
        m_main->driveEdit()->setText(u"d:"_s);
        DirectoryPicker *box = open();
        DirList *list = box->folderList();

        // A single click only highlights.
        QVERIFY(click(list, u"Doom"_s));
        QVERIFY(!list->isBusy());
        QCOMPARE(list->path(), u"c:\\Games"_s);
        QCOMPARE(box->choiceEdit()->text(), QString());

        // Enter opens the highlighted entry, a double click any entry.
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_COMPARE(box->choiceEdit()->text(), u"c:\\Games\\Doom"_s);
        waitIdle(box);
        QVERIFY(doubleClick(list, u"c:\\"_s));
        QTRY_COMPARE(box->choiceEdit()->text(), u"c:\\"_s);
        waitIdle(box);
        QVERIFY(doubleClick(list, u"Games"_s));
        QTRY_COMPARE(box->choiceEdit()->text(), u"c:\\Games"_s);
        waitIdle(box);
        QVERIFY(doubleClick(list, u"Quake"_s));
        QTRY_COMPARE(list->path(), u"c:\\Games\\Quake"_s);
        waitIdle(box);
        QCOMPARE(rows(list), QStringList({u"c:\\"_s, u"Games"_s, u"Quake"_s, u"Maps"_s}));

        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QCOMPARE(m_main->directoryEdit()->text(), u"c:\\Games\\Quake"_s);
        QCOMPARE(m_main->driveEdit()->text(), u"d:"_s);
    }

    void pickingADriveFillsTheBoxAtOnce()
    {
        DirectoryPicker *box = open();
        QTest::keyClick(box->driveList(), Qt::Key_Down);
        QCOMPARE(box->driveList()->driveLetter(), QLatin1Char('z'));
        // z: is not the drive of the current folder: its root.
        QTRY_COMPARE(box->choiceEdit()->text(), u"z:\\"_s);
        QCOMPARE(box->folderList()->path(), u"z:\\"_s);
        // c: holds the current folder: back there.
        QTest::keyClick(box->driveList(), Qt::Key_Up);
        QTRY_COMPARE(box->choiceEdit()->text(), u"c:\\Games"_s);
    }

    void secondPressOpensNoSecondPicker()
    {
        DirectoryPicker *box = open();
        QTest::keyClicks(box->choiceEdit(), u"c:\\kept"_s);
        QCOMPARE(open(), box);
        QCOMPARE(box->choiceEdit()->text(), u"c:\\kept"_s);
        const auto windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget *w) { return qobject_cast<DirectoryPicker *>(w); }),
                 1);
    }

    void okAfterTheMainWindowWasUnloadedLoadsItAgain()
    {
        DirectoryPicker *box = open();
        m_main->close(); // the tray icon keeps the program running
        Harness::settle();
        QVERIFY(!m_harness->forms->isLoaded<MainWindow>());
        QVERIFY(m_harness->forms->isLoaded<DirectoryPicker>());

        QTest::keyClicks(box->choiceEdit(), u"c:\\Games"_s);
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QVERIFY(m_harness->forms->isLoaded<MainWindow>());
        MainWindow *reloaded = m_harness->forms->load<MainWindow>();
        QVERIFY(reloaded->isVisible());
        QCOMPARE(reloaded->directoryEdit()->text(), u"c:\\Games"_s);
    }

    void enterAndEscapeCloseNothing()
    {
        m_main->directoryEdit()->setText(u"c:\\old"_s);
        DirectoryPicker *box = open();
        QTest::keyClicks(box->choiceEdit(), u"c:\\new"_s);
        QTest::keyClick(box->choiceEdit(), Qt::Key_Return);
        QTest::keyClick(box->choiceEdit(), Qt::Key_Escape);
        QTest::keyClick(box->okButton(), Qt::Key_Escape);
        QVERIFY(m_harness->forms->isLoaded<DirectoryPicker>());
        QCOMPARE(m_main->directoryEdit()->text(), u"c:\\old"_s);

        QTest::mouseClick(box->cancelButton(), Qt::LeftButton);
        QVERIFY(!m_harness->forms->isLoaded<DirectoryPicker>());
        QCOMPARE(m_main->directoryEdit()->text(), u"c:\\old"_s);
    }

    // A folder listed a moment ago that is gone when opened: the picker says
    // so, stays where it was, and goes on working.
    void vanishedFolderLeavesThePickerWhereItWas()
    {
        DirectoryPicker *box = open();
        DirList *list = box->folderList();
        const QStringList before = rows(list);
        QVERIFY(QDir(driveC(u"/Games/Doom"_s)).removeRecursively());

        QVERIFY(doubleClick(list, u"Doom"_s));
        QTRY_VERIFY(!box->statusLine()->message().isEmpty());
        QVERIFY2(box->statusLine()->message().contains(u"c:\\Games\\Doom"_s),
                 qPrintable(box->statusLine()->message()));
        QVERIFY(box->statusLine()->message().contains(u"does not exist"_s));
        QCOMPARE(list->path(), u"c:\\Games"_s);
        QCOMPARE(rows(list), before);
        QCOMPARE(box->choiceEdit()->text(), QString());
        QVERIFY(m_harness->messages.shown.isEmpty());

        QVERIFY(doubleClick(list, u"Quake"_s));
        QTRY_COMPARE(box->choiceEdit()->text(), u"c:\\Games\\Quake"_s);
        waitIdle(box);
        QCOMPARE(box->statusLine()->message(), QString());
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QCOMPARE(m_main->directoryEdit()->text(), u"c:\\Games\\Quake"_s);
    }

    // Root may read any folder, so this runs again as an ordinary user.
    void folderWithoutPermission()
    {
        if (geteuid() == 0) {
            if (!TestFiles::canRunAsNobody())
                QSKIP("no ordinary user to run this as: root may read anything");
            TestFiles::runAsNobody({QString::fromLatin1(QTest::currentTestFunction())});
            return;
        }
        const QString locked = driveC(u"/Games/Locked"_s);
        QVERIFY(QDir().mkpath(locked));
        QVERIFY(QFile::setPermissions(locked, {}));
        DirectoryPicker *box = open();
        QVERIFY(doubleClick(box->folderList(), u"Locked"_s));
        QTRY_COMPARE(box->statusLine()->message(),
                     u"c:\\Games\\Locked cannot be read: access is denied."_s);
        QCOMPARE(box->folderList()->path(), u"c:\\Games"_s);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // A drive whose folder has gone (an unplugged disk, a mount that is no
    // more): the folder lists stay where they were, and the drive list lets
    // the arrow keys move on past it.
    void unreadableDriveLeavesThePickerWhereItWas()
    {
        m_harness->drives = DriveMap({{QLatin1Char('c'), driveC()},
                                      {QLatin1Char('d'), driveC(u"/../unplugged"_s)},
                                      {QLatin1Char('z'), u"/"_s}});
        DirectoryPicker *box = open();
        QTest::keyClick(box->driveList(), Qt::Key_Down);
        QTRY_VERIFY(box->statusLine()->message().startsWith(u"d:\\ cannot be read"_s));
        QCOMPARE(box->driveList()->driveLetter(), QLatin1Char('d'));
        QCOMPARE(box->folderList()->path(), u"c:\\Games"_s);
        QCOMPARE(box->choiceEdit()->text(), QString());

        QTest::keyClick(box->driveList(), Qt::Key_Down);
        QTRY_COMPARE(box->choiceEdit()->text(), u"z:\\"_s);
        QTRY_COMPARE(box->statusLine()->message(), QString()); // once z:'s folder is read
    }

    // Names Linux allows but DOS does not: browsed through like any other,
    // but refused when picked into step 2.
    void oddFolderNames_data() { oddNameRows(); }
    void oddFolderNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        const RawName folder(QFile::encodeName(driveC(u"/Games"_s)), name, true);
        m_main->directoryEdit()->setText(u"c:\\old"_s);
        DirectoryPicker *box = open();
        QVERIFY(doubleClick(box->folderList(), shown));
        QTRY_VERIFY(!box->choiceEdit()->text().isEmpty());
        waitIdle(box);
        QCOMPARE(box->statusLine()->message(), QString());
        QCOMPARE(rows(box->folderList()).mid(2), QStringList({shown}));
        QTest::mouseClick(box->okButton(), Qt::LeftButton);
        QCOMPARE(m_harness->messages.shown.size(), 1);
        QVERIFY2(m_harness->messages.texts().first().contains(u"cannot be used in a batch file"_s),
                 qPrintable(m_harness->messages.texts().first()));
        QVERIFY(m_harness->forms->isLoaded<DirectoryPicker>());
        QCOMPARE(m_main->directoryEdit()->text(), u"c:\\old"_s);
    }
};

QTEST_MAIN(TestDirectoryPicker)
#include "tst_directorypicker.moc"
