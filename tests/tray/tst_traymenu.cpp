#include "harness.h"

#include "core/settingsentries.h"
#include "mainwindow/mainwindow.h"
#include "tray/trayhost.h"
#include "tray/trayiconcontrol.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace SettingsEntries;

namespace {

const QByteArray laterRun = "[Settings]\nSettings=FirstTime\nLoadOnStartup=1\n"
                            "[TolvaneConfirm]\nShowWindow=1\n[TrayIconSettings]\nEnable=1\n";

TrayHost *trayHost(Harness &h)
{
    return h.forms->load<TrayHost>();
}

// The user's Exit with the icon shown: the main window goes, the program stays.
void exitToTray(Harness &h)
{
    QTest::mouseClick(h.forms->load<MainWindow>()->exitButton(), Qt::LeftButton);
    Harness::settle();
    QVERIFY(!h.forms->isLoaded<MainWindow>());
    QVERIFY(h.trayArea.isIconShown());
}

} // namespace

class TestTrayMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuHoldsItsItemsInOrderAndComesUpOnTheContextClick()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        QMenu *menu = trayHost(h)->trayMenu();
        QStringList items;
        for (const QAction *action : menu->actions())
            items << action->objectName() + QLatin1Char('=') + action->text();
        QCOMPARE(items, QStringList({QStringLiteral("mnucsSysTray1LoadonStartup=Load Tray Icon on "
                                                    "Startup"),
                                     QStringLiteral("mnuSeperator1="),
                                     QStringLiteral("mnucsSysTray1CreateNewBatchFile=&Create New "
                                                    "Batch File..."),
                                     QStringLiteral("mnuSeperator2="),
                                     QStringLiteral("mnucsSysTray1About=&About"),
                                     QStringLiteral("mnuSeperator3="),
                                     QStringLiteral("mnucsSysTray1Exit=E&xit")}));
        QCOMPARE(h.trayArea.attachedMenu, menu);
        QCOMPARE(h.trayArea.menuPopUps, 0);

        h.trayArea.contextClick();
        QCOMPARE(h.trayArea.menuPopUps, 1);
        QCOMPARE(h.trayArea.poppedUpMenu, menu);
        QVERIFY(!h.markerStored()); // the menu request writes nothing
    }

    void activationLoadsAnUnloadedMainWindowHiddenThenShowsIt()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        exitToTray(h);

        h.trayArea.click();
        Harness::settle();
        MainWindow *main = h.forms->load<MainWindow>();
        QVERIFY(main->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(main));
        QVERIFY(!trayHost(h)->isVisible());
        // Its load only consumed the marker: initial checkmarks.
        QVERIFY(!h.markerStored());
        QVERIFY(!main->batchConfirmationAction()->isChecked());
        QVERIFY(!main->enableTrayConfirmationAction()->isChecked());
        QVERIFY(main->loadOnStartupAction()->isChecked());
        QVERIFY(h.trayArea.isIconShown());
        QVERIFY(!h.forms->hasEnded());
    }

    void activationHidesAndShowsALoadedMainWindowAsItWas()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        QPointer<MainWindow> main = h.forms->load<MainWindow>();
        main->driveEdit()->setText(QStringLiteral("c:"));

        h.trayArea.click();
        Harness::settle();
        QVERIFY(main);
        QVERIFY(!main->isVisible());
        QVERIFY(!trayHost(h)->isVisible());
        QVERIFY(h.markerStored());
        QVERIFY(!h.forms->hasEnded()); // the icon keeps it reachable

        h.trayArea.click();
        Harness::settle();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QVERIFY(!trayHost(h)->isVisible());
        QCOMPARE(main->driveEdit()->text(), QStringLiteral("c:"));
        QVERIFY(h.trayArea.isIconShown());
        QVERIFY(h.markerStored());
    }

    void createNewBatchFileShowsAHiddenMainWindowAsItWas()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        QPointer<MainWindow> main = h.forms->load<MainWindow>();
        main->programEdit()->setText(QStringLiteral("edit.com"));
        main->batchConfirmationAction()->setChecked(false);
        h.trayArea.click();
        Harness::settle();
        QVERIFY(!main->isVisible());

        trayHost(h)->createNewBatchFileItem()->trigger();
        Harness::settle();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QCOMPARE(main->programEdit()->text(), QStringLiteral("edit.com"));
        QVERIFY(!main->batchConfirmationAction()->isChecked()); // no load handling ran
    }

    void createNewBatchFileLoadsAnUnloadedMainWindowInFull()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        exitToTray(h);

        trayHost(h)->createNewBatchFileItem()->trigger();
        Harness::settle();
        MainWindow *main = h.forms->load<MainWindow>();
        QVERIFY(main->isVisible());
        QVERIFY(main->driveEdit()->text().isEmpty());
        QVERIFY(main->batchConfirmationAction()->isChecked());
        QVERIFY(main->enableTrayConfirmationAction()->isChecked());
        QVERIFY(trayHost(h)->trayIconControl()->inTray());
        QVERIFY(!h.markerStored());
    }

    void exitEndsAtOnceWithoutAskingOrSaving()
    {
        Harness h;
        h.writeIni(laterRun);
        h.start();
        MainWindow *main = h.forms->load<MainWindow>();
        main->driveEdit()->setText(QStringLiteral("c:"));
        main->batchFileNameEdit()->setText(QStringLiteral("run.bat"));
        const QString before = h.iniText();

        trayHost(h)->exitItem()->trigger();
        QVERIFY(h.forms->hasEnded());
        QCOMPARE(h.quitCalls, 1);
        QVERIFY(h.messages.shown.isEmpty());
        QCOMPARE(h.iniText(), before);
        QVERIFY(h.forms->isLoaded<MainWindow>()); // ended, not unloaded
        QVERIFY(!main->isVisible());
    }
};

QTEST_MAIN(TestTrayMenu)
#include "tst_traymenu.moc"
