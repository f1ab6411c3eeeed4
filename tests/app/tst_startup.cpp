#include "harness.h"

#include "core/settingsentries.h"
#include "mainwindow/mainwindow.h"
#include "tray/trayhost.h"
#include "tray/trayiconcontrol.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace SettingsEntries;

class TestStartup : public QObject
{
    Q_OBJECT

    struct Checkmarks
    {
        bool confirmation, enableDialog, loadOnStartup, trayLoadOnStartup;
        bool operator==(const Checkmarks &) const = default;
    };

    static Checkmarks checkmarks(Harness &h)
    {
        MainWindow *main = h.forms->load<MainWindow>();
        return {main->batchConfirmationAction()->isChecked(),
                main->enableTrayConfirmationAction()->isChecked(),
                main->loadOnStartupAction()->isChecked(),
                h.forms->load<TrayHost>()->loadOnStartupItem()->isChecked()};
    }

    static QWidget *nextTabStop(QWidget *widget)
    {
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
        return widget;
    }

private Q_SLOTS:
    void firstRunWritesTheDefaultsInOrder()
    {
        Harness h;
        h.start();
        QCOMPARE(h.iniText(), QStringLiteral("[Settings]\nSettings=FirstTime\nLoadOnStartup=1\n\n\n"
                                             "[TolvaneConfirm]\nShowWindow=1\n\n\n"
                                             "[TrayIconSettings]\nEnable=1\n"));
        MainWindow *main = h.forms->load<MainWindow>();
        QVERIFY(main->isVisible());
        QCOMPARE(checkmarks(h), (Checkmarks{true, true, true, true}));
        QVERIFY(h.trayArea.isIconShown());
        QCOMPARE(h.trayArea.shownTip, QStringLiteral("Tolvane"));
        QVERIFY(!h.trayArea.shownIcon.isNull());
        QVERIFY(h.forms->load<TrayHost>()->trayIconControl()->inTray());
        QVERIFY(!h.forms->load<TrayHost>()->isVisible());
        QVERIFY(h.messages.shown.isEmpty());

        // At most once in a run, whatever the file says by then.
        h.settings->write(firstTime, QStringLiteral("changed by hand"));
        h.settings->write(loadOnStartup, QStringLiteral("0"));
        UnloadMarker::set(*h.settings);
        h.forms->unload<MainWindow>();
        h.forms->load<MainWindow>();
        QCOMPARE(h.read(loadOnStartup), QStringLiteral("0"));
    }

    void laterRuns_data()
    {
        QTest::addColumn<QString>("loadOnStartup"); // "<absent>" for no entry
        QTest::addColumn<bool>("iconShown");
        QTest::addColumn<bool>("checked");
        QTest::newRow("1") << "1" << true << true;
        QTest::newRow("0") << "0" << false << false;
        QTest::newRow("-1: checked, yet no icon") << "-1" << false << true;
        QTest::newRow("absent: checked, yet no icon") << "<absent>" << false << true;
    }

    void laterRuns()
    {
        QFETCH(QString, loadOnStartup);
        QFETCH(bool, iconShown);
        QFETCH(bool, checked);
        Harness h;
        QByteArray ini = "[Settings]\nSettings=FirstTime\n";
        if (loadOnStartup != QStringLiteral("<absent>"))
            ini += "LoadOnStartup=" + loadOnStartup.toUtf8() + "\n";
        h.writeIni(ini + "[TolvaneConfirm]\nShowWindow=0\n[TrayIconSettings]\nEnable=-1\n");
        h.start();
        QCOMPARE(h.read(showConfirmation), QStringLiteral("0")); // no defaults written
        MainWindow *main = h.forms->load<MainWindow>();
        QVERIFY(main->isVisible());
        QCOMPARE(h.trayArea.isIconShown(), iconShown);
        QCOMPARE(checkmarks(h), (Checkmarks{false, true, checked, checked}));
        QCOMPARE(h.read(SettingsEntries::loadOnStartup),
                 loadOnStartup); // untouched
    }

    void firstTimeInAnotherCaseIsAFirstRun()
    {
        Harness h;
        h.writeIni(
            "[Settings]\nSettings=firsttime\nLoadOnStartup=0\n[TolvaneConfirm]\nShowWindow=0\n");
        h.start();
        QCOMPARE(h.read(firstTime), QStringLiteral("FirstTime"));
        QCOMPARE(h.read(loadOnStartup), QStringLiteral("1"));
        QCOMPARE(h.read(showConfirmation), QStringLiteral("1"));
        QVERIFY(h.trayArea.isIconShown());
    }

    // Start-up removes it, so the first load runs in full.
    void aMarkerLeftFromAnEarlierRunIsRemovedAtStart_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("icon on") << QByteArray("1");
        QTest::newRow("icon off") << QByteArray("0");
    }
    void aMarkerLeftFromAnEarlierRunIsRemovedAtStart()
    {
        QFETCH(QByteArray, stored);
        const bool on = stored == "1";
        Harness h;
        h.writeIni("[Settings]\nSettings=FirstTime\nLoadOnStartup=" + stored +
                   "\n[TolvaneConfirm]\nShowWindow=0\n[TrayIconSettings]\nEnable=0\n"
                   "[TolvaneConfirmSettings]\nSettings=OK\n");
        h.start();
        QVERIFY(!h.hasEntry(unloadMarker));
        QVERIFY(h.forms->load<MainWindow>()->isVisible());
        QCOMPARE(checkmarks(h), (Checkmarks{false, false, on, on}));
        QCOMPARE(h.trayArea.isIconShown(), on);
        QCOMPARE(h.read(loadOnStartup), QString::fromLatin1(stored)); // no defaults written
    }

    void aMarkerOtherThanOkIsNoMarker()
    {
        Harness h;
        h.writeIni("[Settings]\nSettings=FirstTime\nLoadOnStartup=1\n[TolvaneConfirmSettings]"
                   "\nSettings=ok\n");
        h.start();
        QCOMPARE(h.read(unloadMarker), QStringLiteral("ok"));
        QVERIFY(h.trayArea.isIconShown());
    }

    // The real wiring says once, before the main window, that the settings
    // cannot be read, and the program starts all the same.
    void anUnreadableSettingsFileIsSaidOnceAtStart()
    {
        Harness h;
        QVERIFY(QDir().mkpath(h.iniPath())); // a folder cannot be read as a file
        h.restart();
        QCOMPARE(h.messages.texts().size(), 1);
        QVERIFY(h.messages.texts().first().contains(h.iniPath()));
        QVERIFY(h.forms->load<MainWindow>()->isVisible());
    }

    void withoutANotificationAreaTheIconIsNeverInTheTray()
    {
        Harness h;
        h.trayArea.available = false;
        h.start();
        QVERIFY(h.forms->load<MainWindow>()->isVisible());
        QVERIFY(!h.forms->load<TrayHost>()->isInTray());
        QVERIFY(h.forms->load<TrayHost>()->trayIconControl()->inTray()); // what was put
    }

    void theMainWindowsControlsAndTheirOrder()
    {
        Harness h;
        h.start();
        MainWindow *main = h.forms->load<MainWindow>();
        QCOMPARE(main->windowTitle(), QStringLiteral("Tolvane"));
        QCOMPARE(main->centralWidget()->size(), QSize(712, 481));
        QVERIFY(!(main->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(main->okButton()->toolTip(), QStringLiteral("Confirm Batch File Settings"));
        QCOMPARE(main->exitButton()->geometry(), QRect(376, 432, 81, 33));
        QCOMPARE(main->helpContentsAction()->shortcut(), QKeySequence(Qt::Key_F1));
        // The keyboard visits the four steps, OK, both Browse buttons and Exit, in order.
        const QList<QWidget *> expected{
            main->driveEdit(),           main->directoryEdit(), main->programEdit(),
            main->batchFileNameEdit(),   main->okButton(),      main->browseDirectoryButton(),
            main->browseProgramButton(), main->exitButton()};
        for (qsizetype i = 1; i < expected.size(); ++i)
            QCOMPARE(nextTabStop(expected[i - 1])->objectName(), expected[i]->objectName());
        // No label's text is cut off by its box.
        const auto labels = main->findChildren<QLabel *>();
        QCOMPARE(labels.size(), 7);
        for (const QLabel *label : labels)
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName()));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
