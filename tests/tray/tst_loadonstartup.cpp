#include "harness.h"

#include "core/settingsentries.h"
#include "mainwindow/mainwindow.h"
#include "tray/disabletrayicondialog.h"
#include "tray/enabletrayicondialog.h"
#include "tray/trayhost.h"
#include "tray/trayiconcontrol.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

using namespace SettingsEntries;

namespace {

enum class From { TrayMenu, ViewMenu };
enum class Answer { Yes, No, CloseBox };

const QByteArray laterRun = "[Settings]\nSettings=FirstTime\nLoadOnStartup=1\n"
                            "[TolvaneConfirm]\nShowWindow=1\n[TrayIconSettings]\nEnable=1\n";

QAction *trayItem(Harness &h)
{
    return h.forms->load<TrayHost>()->loadOnStartupItem();
}

QAction *viewItem(Harness &h)
{
    return h.forms->load<MainWindow>()->loadOnStartupAction();
}

// A click on the menu item: Qt inverts the checkmark, then the handler runs.
void click(Harness &h, From from)
{
    (from == From::TrayMenu ? trayItem(h) : viewItem(h))->trigger();
}

void answer(Harness &h, Answer answer)
{
    DisableTrayIconDialog *dialog = h.forms->load<DisableTrayIconDialog>();
    switch (answer) {
    case Answer::Yes:
        QTest::mouseClick(dialog->yesButton(), Qt::LeftButton);
        break;
    case Answer::No:
        QTest::mouseClick(dialog->noButton(), Qt::LeftButton);
        break;
    case Answer::CloseBox:
        dialog->close();
        break;
    }
    Harness::settle();
}

QString stored(const Harness &h)
{
    return h.read(loadOnStartup);
}

} // namespace

class TestLoadOnStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switchOffWithTheMainWindowVisible_data()
    {
        QTest::addColumn<From>("from");
        QTest::addColumn<Answer>("reply");
        QTest::addColumn<bool>("onAfter");
        QTest::newRow("tray menu, Yes") << From::TrayMenu << Answer::Yes << false;
        QTest::newRow("tray menu, No") << From::TrayMenu << Answer::No << true;
        QTest::newRow("tray menu, close box") << From::TrayMenu << Answer::CloseBox << false;
        QTest::newRow("View menu, Yes") << From::ViewMenu << Answer::Yes << false;
        QTest::newRow("View menu, No") << From::ViewMenu << Answer::No << true;
        QTest::newRow("View menu, close box") << From::ViewMenu << Answer::CloseBox << false;
    }
    void switchOffWithTheMainWindowVisible()
    {
        QFETCH(From, from);
        QFETCH(Answer, reply);
        QFETCH(bool, onAfter);
        Harness h;
        h.writeIni(laterRun);
        h.start();

        click(h, from);
        QVERIFY(h.forms->isLoaded<DisableTrayIconDialog>());
        DisableTrayIconDialog *dialog = h.forms->load<DisableTrayIconDialog>();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), dialog->noButton());
        QVERIFY(!trayItem(h)->isChecked());
        QVERIFY(!viewItem(h)->isChecked());
        QCOMPARE(stored(h), off);
        // Only the tray menu's path marks the main window's next close as its own.
        QCOMPARE(h.markerStored(), from == From::TrayMenu);

        answer(h, reply);
        QVERIFY(!h.forms->isLoaded<DisableTrayIconDialog>());
        QCOMPARE(stored(h), flag(onAfter));
        QCOMPARE(trayItem(h)->isChecked(), onAfter);
        QCOMPARE(viewItem(h)->isChecked(), onAfter);
        QCOMPARE(h.markerStored(), from == From::TrayMenu);
        // The icon stays until the program ends; the main window stays open.
        QVERIFY(h.trayArea.isIconShown());
        QVERIFY(h.forms->load<MainWindow>()->isVisible());
        QVERIFY(!h.forms->hasEnded());
    }

    // After Yes: the tray menu's marker keeps the program in the tray on the
    // next close; from the View menu that close removes the icon and ends it.
    void nextCloseAfterSwitchingOff_data()
    {
        QTest::addColumn<From>("from");
        QTest::addColumn<bool>("staysInTray");
        QTest::newRow("tray menu") << From::TrayMenu << true;
        QTest::newRow("View menu") << From::ViewMenu << false;
    }
    void nextCloseAfterSwitchingOff()
    {
        QFETCH(From, from);
        QFETCH(bool, staysInTray);
        Harness h;
        h.writeIni(laterRun);
        h.start();
        click(h, from);
        answer(h, Answer::Yes);

        h.forms->load<MainWindow>()->close();
        Harness::settle();
        QVERIFY(!h.markerStored());
        QCOMPARE(h.forms->hasEnded(), !staysInTray);
        QCOMPARE(h.trayArea.isIconShown(), staysInTray);
    }

    void switchOffFromTheTrayWhileTheMainWindowIsNotLoaded()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        QTest::mouseClick(h.forms->load<MainWindow>()->exitButton(), Qt::LeftButton);
        Harness::settle();
        QVERIFY(!h.forms->isLoaded<MainWindow>());

        click(h, From::TrayMenu);
        // Loaded hidden by clearing its checkmark; the load only took the marker.
        QVERIFY(h.forms->isLoaded<MainWindow>());
        MainWindow *main = h.forms->load<MainWindow>();
        QVERIFY(!main->isVisible());
        QVERIFY(!main->loadOnStartupAction()->isChecked());
        QVERIFY(!h.markerStored());
        QCOMPARE(stored(h), off);
        QVERIFY(h.forms->load<DisableTrayIconDialog>()->isVisible());

        // No: both back on, the program stays reachable through its icon.
        answer(h, Answer::No);
        QVERIFY(trayItem(h)->isChecked());
        QVERIFY(viewItem(h)->isChecked());
        QCOMPARE(stored(h), on);
        QVERIFY(!main->isVisible());
        QVERIFY(h.trayArea.isIconShown());
        QVERIFY(!h.forms->hasEnded());
    }

    // Yes while the main window is out of sight: the tray host goes with its
    // icon, and with nothing left to reach, so does the program.
    void yesWhileTheMainWindowIsHiddenEndsTheProgram()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        h.trayArea.click(); // hides the main window
        Harness::settle();
        QVERIFY(!h.forms->load<MainWindow>()->isVisible());

        click(h, From::TrayMenu);
        answer(h, Answer::Yes);
        QCOMPARE(stored(h), off);
        QVERIFY(!h.forms->isLoaded<TrayHost>());
        QVERIFY(h.forms->hasEnded());
        QCOMPARE(h.quitCalls, 1);
        QVERIFY(!h.trayArea.isIconShown());
    }

    // Switching on from the tray while the main window is not loaded: the load
    // that setting its checkmark causes runs in full and reads the old "0".
    void switchOnFromTheTrayWhileTheMainWindowIsNotLoaded()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        // Off from the tray, Yes, then close: the marker keeps the program in
        // the tray with "0" stored and the main window unloaded.
        click(h, From::TrayMenu);
        answer(h, Answer::Yes);
        h.forms->load<MainWindow>()->close();
        Harness::settle();
        QVERIFY(!h.forms->isLoaded<MainWindow>());
        QVERIFY(!h.markerStored());
        QCOMPARE(stored(h), off);
        QVERIFY(h.trayArea.isIconShown());
        QVERIFY(!trayItem(h)->isChecked());

        click(h, From::TrayMenu);
        Harness::settle();
        MainWindow *main = h.forms->load<MainWindow>();
        // "1" is stored before the main window loads, so its load keeps the
        // icon the user just switched on, and both checkmarks agree.
        QVERIFY(main->isVisible());
        QVERIFY(h.trayArea.isIconShown());
        QVERIFY(main->loadOnStartupAction()->isChecked());
        QVERIFY(trayItem(h)->isChecked());
        QCOMPARE(stored(h), on);
        QVERIFY(h.forms->load<EnableTrayIconDialog>()->isVisible());
        QVERIFY(!h.forms->hasEnded());
    }
};

QTEST_MAIN(TestLoadOnStartup)
#include "tst_loadonstartup.moc"
