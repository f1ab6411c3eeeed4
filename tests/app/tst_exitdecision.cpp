#include "harness.h"

#include "core/settingsentries.h"
#include "mainwindow/mainwindow.h"
#include "tray/trayhost.h"
#include "tray/trayiconcontrol.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace SettingsEntries;

namespace {

enum class Way { ExitButton, FileExit, CloseBox };

void leave(Harness &h, Way way)
{
    MainWindow *main = h.forms->load<MainWindow>();
    switch (way) {
    case Way::ExitButton:
        QTest::mouseClick(main->exitButton(), Qt::LeftButton);
        break;
    case Way::FileExit:
        main->exitAction()->trigger();
        break;
    case Way::CloseBox:
        main->close();
        break;
    }
}

void startLaterRun(Harness &h, const QByteArray &loadOnStartup)
{
    h.writeIni("[Settings]\nSettings=FirstTime\nLoadOnStartup=" + loadOnStartup + "\n");
    h.start();
}

} // namespace

class TestExitDecision : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ways_data()
    {
        QTest::addColumn<Way>("way");
        QTest::newRow("Exit button") << Way::ExitButton;
        QTest::newRow("File > Exit") << Way::FileExit;
        QTest::newRow("close box without marker") << Way::CloseBox;
    }

    void iconShownAndACheckmarkSetKeepsTheProgramInTheTray_data() { ways_data(); }
    void iconShownAndACheckmarkSetKeepsTheProgramInTheTray()
    {
        QFETCH(Way, way);
        for (const bool mainChecked : {true, false}) {
            Harness h;
            startLaterRun(h, "1");
            h.forms->load<MainWindow>()->loadOnStartupAction()->setChecked(mainChecked);
            h.forms->load<TrayHost>()->loadOnStartupItem()->setChecked(!mainChecked);
            leave(h, way);
            Harness::settle();
            QVERIFY(!h.forms->isLoaded<MainWindow>());
            QVERIFY(!h.forms->hasEnded());
            QCOMPARE(h.quitCalls, 0);
            QVERIFY(h.trayArea.isIconShown());
            // The program is still there: a later load brings back a fresh main window.
            QVERIFY(h.forms->load<MainWindow>()->driveEdit()->text().isEmpty());
        }
    }

    void bothCheckmarksClearRemoveTheIconAndEnd_data() { ways_data(); }
    void bothCheckmarksClearRemoveTheIconAndEnd()
    {
        QFETCH(Way, way);
        Harness h;
        startLaterRun(h, "1");
        h.forms->load<MainWindow>()->loadOnStartupAction()->setChecked(false);
        h.forms->load<TrayHost>()->loadOnStartupItem()->setChecked(false);
        leave(h, way);
        QVERIFY(!h.trayArea.isIconShown());
        QVERIFY(h.forms->hasEnded());
        QCOMPARE(h.quitCalls, 1);
    }

    void iconHiddenEndsWhateverTheCheckmarksSay_data() { ways_data(); }
    void iconHiddenEndsWhateverTheCheckmarksSay()
    {
        QFETCH(Way, way);
        Harness h;
        startLaterRun(h, "-1"); // both checkmarks on, no icon
        QVERIFY(h.forms->load<MainWindow>()->loadOnStartupAction()->isChecked());
        leave(h, way);
        QVERIFY(h.forms->hasEnded());
        QCOMPARE(h.quitCalls, 1);
    }

    void endingRunsNoUnloadHandlingAndWritesNothing()
    {
        Harness h;
        startLaterRun(h, "0");
        h.forms->load<MainWindow>()->driveEdit()->setText(QStringLiteral("c:"));
        const QString before = h.iniText();
        leave(h, Way::ExitButton);
        QVERIFY(h.forms->hasEnded());
        QVERIFY(h.forms->isLoaded<MainWindow>()); // ended, not unloaded
        QVERIFY(!h.forms->load<MainWindow>()->isVisible());
        QCOMPARE(h.iniText(), before);
    }

    void closeBoxWithMarkerOnlyConsumesIt()
    {
        Harness h;
        startLaterRun(h, "1");
        h.forms->load<MainWindow>()->loadOnStartupAction()->setChecked(false);
        h.forms->load<TrayHost>()->loadOnStartupItem()->setChecked(false);
        UnloadMarker::set(*h.settings);
        leave(h, Way::CloseBox);
        Harness::settle();
        QVERIFY(!h.hasEntry(unloadMarker));
        QVERIFY(!h.forms->isLoaded<MainWindow>());
        QVERIFY(h.trayArea.isIconShown()); // checkmarks and icon were not looked at
        QVERIFY(!h.forms->hasEnded());
    }

    void exitButtonIgnoresTheMarkerButTheCloseConsumesIt()
    {
        Harness h;
        startLaterRun(h, "1");
        UnloadMarker::set(*h.settings);
        leave(h, Way::ExitButton);
        QVERIFY(!h.forms->isLoaded<MainWindow>());
        QVERIFY(!h.hasEntry(unloadMarker));
        QVERIFY(!h.forms->hasEnded());
    }

    // Without the icon, a close that only consumes the marker would leave a
    // process nobody can reach; it ends instead.
    void closeWithMarkerAndNoIconEnds()
    {
        Harness h;
        startLaterRun(h, "0");
        UnloadMarker::set(*h.settings);
        leave(h, Way::CloseBox);
        QVERIFY(!h.forms->hasEnded()); // not inside the handler...
        Harness::settle();
        QVERIFY(h.forms->hasEnded()); // ...but once nothing is left to show
        QCOMPARE(h.quitCalls, 1);
        QVERIFY(!h.hasEntry(unloadMarker));
    }

    void withoutANotificationAreaClosingEnds()
    {
        Harness h;
        h.trayArea.available = false;
        h.start(); // first run: the preference says "show the icon"
        leave(h, Way::CloseBox);
        QVERIFY(h.forms->hasEnded());
    }

    void unloadingEveryWindowEnds()
    {
        Harness h;
        startLaterRun(h, "1");
        h.forms->unload<TrayHost>();
        Harness::settle();
        QVERIFY(!h.trayArea.isIconShown()); // the icon goes with its window
        QVERIFY(!h.forms->hasEnded());
        UnloadMarker::set(*h.settings);
        h.forms->unload<MainWindow>();
        QVERIFY(h.forms->hasEnded());
    }
};

QTEST_MAIN(TestExitDecision)
#include "tst_exitdecision.moc"
