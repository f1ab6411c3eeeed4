#include "harness.h"

#include "help/aboutwindow.h"
#include "help/helpwindow.h"
#include "help/windowhelpviewer.h"
#include "mainwindow/confirmationwindow.h"
#include "mainwindow/mainwindow.h"
#include "tray/disabletrayicondialog.h"
#include "tray/trayhost.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Every way the program can lose its last visible window. Where nothing is
// left on the screen and no icon is in the notification area, the program
// must end rather than run on out of the user's reach; where the icon is
// still there, it must keep running.
namespace {

enum class Path {
    CloseWithMarkerIconHidden,
    ConfirmationCloseBoxIconHidden,
    CreateAnotherNoIconHidden,
    DisableYesMainHidden,
    NoAreaCloseBox,
    NoAreaExitButton,
    NoAreaCloseWithMarker,
    NoAreaConfirmationCloseBox,
    NoAreaAboutOnlyWindowLeft,
    IconShownCloseWithMarker,
    IconShownConfirmationCloseBox,
    IconShownDisableCloseBoxMainHidden,
};

void startLaterRun(Harness &h, bool loadOnStartup)
{
    h.writeIni(QByteArrayLiteral("[Settings]\nSettings=FirstTime\nLoadOnStartup=") +
               (loadOnStartup ? "1" : "0") + "\n[TolvaneConfirm]\nShowWindow=1\n");
    h.start();
    Harness::settle();
}

// The About window sets the unload marker while the main window is loaded.
void openAndCloseAbout(Harness &h)
{
    h.forms->load<MainWindow>()->aboutAction()->trigger();
    QVERIFY(h.forms->isLoaded<AboutWindow>());
    h.forms->load<AboutWindow>()->close();
    Harness::settle();
}

void writeBatchFile(Harness &h)
{
    MainWindow *main = h.forms->load<MainWindow>();
    main->driveEdit()->setText(QStringLiteral("c:"));
    main->directoryEdit()->setText(QStringLiteral("c:\\"));
    main->programEdit()->setText(QStringLiteral("a.exe"));
    main->batchFileNameEdit()->setText(QStringLiteral("a.bat"));
    main->okButton()->click();
    Harness::settle();
    QVERIFY(h.forms->isLoaded<ConfirmationWindow>());
    QVERIFY(h.forms->load<ConfirmationWindow>()->isVisible());
}

void closeConfirmation(Harness &h)
{
    h.forms->load<ConfirmationWindow>()->close();
}

// The tray icon hides the main window; the tray menu switches load-on-startup off.
void hideMainAndSwitchOff(Harness &h)
{
    h.trayArea.click();
    Harness::settle();
    QVERIFY(!h.forms->load<MainWindow>()->isVisible());
    h.forms->load<TrayHost>()->loadOnStartupItem()->trigger();
    Harness::settle();
    QVERIFY(h.forms->isLoaded<DisableTrayIconDialog>());
}

void walk(Harness &h, Path path)
{
    switch (path) {
    case Path::CloseWithMarkerIconHidden:
        startLaterRun(h, false);
        openAndCloseAbout(h);
        h.forms->load<MainWindow>()->close();
        break;
    case Path::ConfirmationCloseBoxIconHidden:
        startLaterRun(h, false);
        writeBatchFile(h);
        closeConfirmation(h);
        break;
    case Path::CreateAnotherNoIconHidden:
        startLaterRun(h, false);
        writeBatchFile(h);
        h.messages.answers = {false};
        h.forms->load<ConfirmationWindow>()->okButton()->click();
        break;
    case Path::DisableYesMainHidden:
        startLaterRun(h, true);
        hideMainAndSwitchOff(h);
        h.forms->load<DisableTrayIconDialog>()->yesButton()->click();
        break;
    case Path::NoAreaCloseBox:
        h.trayArea.available = false;
        startLaterRun(h, true);
        h.forms->load<MainWindow>()->close();
        break;
    case Path::NoAreaExitButton:
        h.trayArea.available = false;
        startLaterRun(h, true);
        h.forms->load<MainWindow>()->exitButton()->click();
        break;
    case Path::NoAreaCloseWithMarker:
        h.trayArea.available = false;
        startLaterRun(h, true);
        openAndCloseAbout(h);
        h.forms->load<MainWindow>()->close();
        break;
    case Path::NoAreaConfirmationCloseBox:
        h.trayArea.available = false;
        startLaterRun(h, true);
        writeBatchFile(h);
        closeConfirmation(h);
        break;
    case Path::NoAreaAboutOnlyWindowLeft:
        h.trayArea.available = false;
        startLaterRun(h, true);
        h.forms->load<MainWindow>()->aboutAction()->trigger();
        h.forms->load<MainWindow>()->close(); // the marker: the main window just goes
        Harness::settle();
        QVERIFY(!h.forms->hasEnded()); // the About window is still on the screen
        h.forms->load<AboutWindow>()->close();
        break;
    case Path::IconShownCloseWithMarker:
        startLaterRun(h, true);
        openAndCloseAbout(h);
        h.forms->load<MainWindow>()->close();
        break;
    case Path::IconShownConfirmationCloseBox:
        startLaterRun(h, true);
        writeBatchFile(h);
        closeConfirmation(h);
        break;
    case Path::IconShownDisableCloseBoxMainHidden:
        startLaterRun(h, true);
        hideMainAndSwitchOff(h);
        h.forms->load<DisableTrayIconDialog>()->close();
        break;
    }
    Harness::settle();
}

// Where the main window is when the notification area goes away.
enum class Main { Visible, Hidden, Unloaded, ClosedInGrace };

} // namespace

class TestNoGhost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lastWindowGone_data()
    {
        QTest::addColumn<Path>("path");
        QTest::addColumn<bool>("ends");
        QTest::newRow("close with marker set, icon hidden")
            << Path::CloseWithMarkerIconHidden << true;
        QTest::newRow("confirmation's close box, icon hidden")
            << Path::ConfirmationCloseBoxIconHidden << true;
        QTest::newRow("no more batch files, icon hidden")
            << Path::CreateAnotherNoIconHidden << true;
        QTest::newRow("disable dialog's Yes, main window hidden")
            << Path::DisableYesMainHidden << true;
        QTest::newRow("no notification area: close box") << Path::NoAreaCloseBox << true;
        QTest::newRow("no notification area: Exit") << Path::NoAreaExitButton << true;
        QTest::newRow("no notification area: close with marker set")
            << Path::NoAreaCloseWithMarker << true;
        QTest::newRow("no notification area: confirmation's close box")
            << Path::NoAreaConfirmationCloseBox << true;
        QTest::newRow("no notification area: About closed last")
            << Path::NoAreaAboutOnlyWindowLeft << true;
        QTest::newRow("icon shown: close with marker set")
            << Path::IconShownCloseWithMarker << false;
        QTest::newRow("icon shown: confirmation's close box")
            << Path::IconShownConfirmationCloseBox << false;
        QTest::newRow("icon shown: disable dialog's close box, main window hidden")
            << Path::IconShownDisableCloseBoxMainHidden << false;
    }

    void lastWindowGone()
    {
        QFETCH(Path, path);
        QFETCH(bool, ends);
        Harness h;
        walk(h, path);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(h.forms->hasEnded(), ends);
        QCOMPARE(h.quitCalls, ends ? 1 : 0);
        if (!ends) // still reachable through its icon
            QVERIFY(h.trayArea.isIconShown());
    }

    // A panel going away never ends the program: a restart within the grace
    // gives the icon back, otherwise the main window comes back as it was.
    void areaGoesAway_data()
    {
        QTest::addColumn<Main>("main");
        QTest::addColumn<bool>("comesBack");
        QTest::addColumn<bool>("mainShown");
        QTest::newRow("hidden, area restarts") << Main::Hidden << true << false;
        QTest::newRow("hidden, area gone") << Main::Hidden << false << true;
        QTest::newRow("unloaded, area gone") << Main::Unloaded << false << true;
        QTest::newRow("closed in the grace, area restarts") << Main::ClosedInGrace << true << false;
        QTest::newRow("closed in the grace, area gone") << Main::ClosedInGrace << false << true;
        QTest::newRow("visible, area gone") << Main::Visible << false << true;
    }
    void areaGoesAway()
    {
        QFETCH(Main, main);
        QFETCH(bool, comesBack);
        QFETCH(bool, mainShown);
        Harness h;
        h.trayArea.setGrace(std::chrono::milliseconds(0)); // over once events run
        startLaterRun(h, true);
        h.forms->load<MainWindow>()->driveEdit()->setText(QStringLiteral("c:"));
        if (main == Main::Hidden)
            h.trayArea.click();
        if (main == Main::Unloaded)
            h.forms->load<MainWindow>()->close();
        Harness::settle();
        h.trayArea.setAvailable(false);
        if (main == Main::ClosedInGrace) // the icon still counts: the program stays
            h.forms->load<MainWindow>()->close();
        h.trayArea.setAvailable(comesBack);
        Harness::settle();
        QVERIFY(!h.forms->hasEnded());
        QCOMPARE(h.trayArea.isIconShown(), comesBack);
        QCOMPARE(h.forms->isLoaded<MainWindow>(), mainShown || main == Main::Hidden);
        if (!h.forms->isLoaded<MainWindow>())
            return;
        QCOMPARE(h.forms->load<MainWindow>()->isVisible(), mainShown);
        const bool kept = main == Main::Hidden || main == Main::Visible;
        QCOMPARE(h.forms->load<MainWindow>()->driveEdit()->text().isEmpty(), !kept);
    }

    // A window that is none of the registered ones, such as the help viewer,
    // keeps the program reachable while it is open, and ends it when closed last.
    void helpWindowClosedLast()
    {
        Harness h;
        startLaterRun(h, false);
        WindowHelpViewer viewer(h.drives, h.dir.path());
        viewer.showContents(QStringLiteral("batch.hlp"));
        QVERIFY(viewer.window() && viewer.window()->isVisible());
        openAndCloseAbout(h);
        h.forms->load<MainWindow>()->close();
        Harness::settle();
        QVERIFY(!h.forms->hasEnded());
        viewer.window()->close();
        Harness::settle();
        QVERIFY(h.forms->hasEnded());
    }
};

QTEST_MAIN(TestNoGhost)
#include "tst_noghost.moc"
