#include "tray/systemtrayarea.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using Host = SystemTrayArea::Host;

namespace {

QSystemTrayIcon *iconOf(SystemTrayArea &area)
{
    return area.findChild<QSystemTrayIcon *>(QStringLiteral("TolvaneTrayIcon"));
}

} // namespace

class TestSystemTrayArea : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // An XEmbed icon pops an attached menu up by itself on the context click
    // that also asks for it, so only a StatusNotifierItem host gets it.
    void menuIsAttachedOnlyForAStatusNotifierHost_data()
    {
        QTest::addColumn<Host>("host");
        QTest::addColumn<bool>("attached");
        QTest::newRow("XEmbed") << Host::XEmbed << false;
        QTest::newRow("StatusNotifierItem") << Host::StatusNotifier << true;
    }
    void menuIsAttachedOnlyForAStatusNotifierHost()
    {
        QFETCH(Host, host);
        QFETCH(bool, attached);
        SystemTrayArea area(host, nullptr);
        QMenu menu;
        area.attachMenu(&menu);
        QCOMPARE(iconOf(area)->contextMenu(), attached ? &menu : nullptr);
    }

    void anOpenMenuIsNotOpenedAgain()
    {
        SystemTrayArea area(Host::StatusNotifier, nullptr);
        QMenu menu;
        menu.addAction(QStringLiteral("item"));
        QSignalSpy shows(&menu, &QMenu::aboutToShow);
        area.popUpMenu(&menu);
        QVERIFY(menu.isVisible());
        area.popUpMenu(&menu);
        QCOMPARE(shows.count(), 1);
        menu.hide();
        area.popUpMenu(&menu);
        QCOMPARE(shows.count(), 2);
    }

    // A StatusNotifierItem host announces its own copy of the menu through the
    // menu's aboutToShow and aboutToHide; while it is open, ours stays shut.
    void theHostsOpenMenuIsNotDoubled()
    {
        SystemTrayArea area(Host::StatusNotifier, nullptr);
        QMenu menu;
        menu.addAction(QStringLiteral("item"));
        area.attachMenu(&menu);
        Q_EMIT menu.aboutToShow(); // the host opens its copy
        area.popUpMenu(&menu);
        QVERIFY(!menu.isVisible());
        Q_EMIT menu.aboutToHide(); // and closes it
        area.popUpMenu(&menu);
        QVERIFY(menu.isVisible());
        menu.hide(); // our own popup's show and hide leave no trace
        area.popUpMenu(&menu);
        QVERIFY(menu.isVisible());
    }
};

QTEST_MAIN(TestSystemTrayArea)
#include "tst_systemtrayarea.moc"
