#include "harness.h"
#include "testfiles.h"

#include "core/settingsentries.h"
#include "mainwindow/mainwindow.h"
#include "tray/disabletrayicondialog.h"
#include "tray/enabletrayicondialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace SettingsEntries;

namespace {

// A later run with load-on-startup off, so the View item switches it on.
void startWithEnable(Harness &h, const QByteArray &enable)
{
    h.writeIni("[Settings]\nSettings=FirstTime\nLoadOnStartup=0\n"
               "[TolvaneConfirm]\nShowWindow=1\n[TrayIconSettings]\nEnable=" +
               enable + "\n");
    h.start();
}

MainWindow *mainWindow(Harness &h)
{
    return h.forms->load<MainWindow>();
}

void switchLoadOnStartup(Harness &h)
{
    mainWindow(h)->loadOnStartupAction()->trigger();
}

QString storedEnable(const Harness &h)
{
    return h.read(enableTrayDialog);
}

} // namespace

class TestEnableTrayIconDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The dialog shows only for a value that reads as the number 1; the menu
    // checkmark is on for any value that reads as true. Text that is no
    // number reads as absent, so the check box's "1" applies.
    void storedValueDecidesWhetherItShows_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("checkmark");
        QTest::addColumn<bool>("shows");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("1") << QByteArray("1") << true << true << QStringLiteral("1");
        QTest::newRow("0") << QByteArray("0") << false << false << QStringLiteral("0");
        QTest::newRow("2") << QByteArray("2") << true << false << QStringLiteral("2");
        QTest::newRow("-1") << QByteArray("-1") << true << false << QStringLiteral("-1");
        QTest::newRow("no number") << QByteArray("yes") << true << true << QStringLiteral("1");
    }
    void storedValueDecidesWhetherItShows()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, checkmark);
        QFETCH(bool, shows);
        QFETCH(QString, storedAfter);
        Harness h;
        startWithEnable(h, value);
        QCOMPARE(mainWindow(h)->enableTrayConfirmationAction()->isChecked(), checkmark);

        switchLoadOnStartup(h);
        QVERIFY(h.forms->isLoaded<EnableTrayIconDialog>());
        EnableTrayIconDialog *dialog = h.forms->load<EnableTrayIconDialog>();
        QCOMPARE(dialog->isVisible(), shows);
        if (shows)
            QCOMPARE(dialog->focusWidget(), dialog->okButton());
        QCOMPARE(storedEnable(h), storedAfter);
    }

    // Switched off, the dialog stays loaded and hidden; switching the View
    // item back on unloads it, so the next switch-on shows it again.
    void switchingTheMenuItemBackOnBringsTheDialogBack()
    {
        Harness h;
        startWithEnable(h, "0");
        switchLoadOnStartup(h);
        QVERIFY(!h.forms->load<EnableTrayIconDialog>()->isVisible());

        QAction *item = mainWindow(h)->enableTrayConfirmationAction();
        item->trigger();
        QVERIFY(item->isChecked());
        QCOMPARE(storedEnable(h), on);
        QVERIFY(!h.forms->isLoaded<EnableTrayIconDialog>());
        QCOMPARE(TestFiles::visibleWindowsOf<EnableTrayIconDialog>(),
                 0); // the item itself opens nothing

        switchLoadOnStartup(h); // off: the disable dialog
        QTest::mouseClick(h.forms->load<DisableTrayIconDialog>()->yesButton(), Qt::LeftButton);
        switchLoadOnStartup(h); // on again
        QVERIFY(h.forms->load<EnableTrayIconDialog>()->isVisible());

        // And switching the item off while the dialog is open closes it.
        item->trigger();
        QCOMPARE(storedEnable(h), off);
        QVERIFY(!h.forms->isLoaded<EnableTrayIconDialog>());
    }

    // Clearing the check box clears the menu checkmark at once; only OK stores it.
    void clearingCheck1_data()
    {
        QTest::addColumn<bool>("pressOK");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("then OK") << true << QStringLiteral("0");
        QTest::newRow("then close box") << false << QStringLiteral("1");
    }
    void clearingCheck1()
    {
        QFETCH(bool, pressOK);
        QFETCH(QString, storedAfter);
        Harness h;
        startWithEnable(h, "1");
        switchLoadOnStartup(h);
        EnableTrayIconDialog *dialog = h.forms->load<EnableTrayIconDialog>();

        QTest::mouseClick(dialog->showAgainBox(), Qt::LeftButton);
        QVERIFY(!dialog->showAgainBox()->isChecked());
        QVERIFY(!mainWindow(h)->enableTrayConfirmationAction()->isChecked());
        QCOMPARE(storedEnable(h), on);

        if (pressOK)
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        else
            dialog->close();
        Harness::settle();
        QVERIFY(!h.forms->isLoaded<EnableTrayIconDialog>());
        QCOMPARE(storedEnable(h), storedAfter);
        QVERIFY(!mainWindow(h)->enableTrayConfirmationAction()->isChecked());

        // What was stored decides the next switch-on.
        switchLoadOnStartup(h); // off
        QTest::mouseClick(h.forms->load<DisableTrayIconDialog>()->yesButton(), Qt::LeftButton);
        switchLoadOnStartup(h); // on
        QCOMPARE(h.forms->load<EnableTrayIconDialog>()->isVisible(), storedAfter == on);
    }

    void onlyOneDialogWhileItIsOpen()
    {
        Harness h;
        startWithEnable(h, "1");
        switchLoadOnStartup(h);
        QPointer<EnableTrayIconDialog> first = h.forms->load<EnableTrayIconDialog>();
        QVERIFY(first->isVisible());

        switchLoadOnStartup(h); // off
        QTest::mouseClick(h.forms->load<DisableTrayIconDialog>()->yesButton(), Qt::LeftButton);
        switchLoadOnStartup(h); // on again while the dialog is still open
        Harness::settle();
        QVERIFY(first);
        QCOMPARE(h.forms->load<EnableTrayIconDialog>(), first.data());
        QCOMPARE(TestFiles::visibleWindowsOf<EnableTrayIconDialog>(), 1);
    }
};

QTEST_MAIN(TestEnableTrayIconDialog)
#include "tst_enabletrayicondialog.moc"
