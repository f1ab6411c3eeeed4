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

    // The icon is made once an area appears, for the kind that appeared, and
    // only an area of that kind holds it afterwards. A wanted icon stays
    // shown while its area is gone, so Qt puts it back when one returns.
    void theIconFollowsTheArea_data()
    {
        QTest::addColumn<Host>("offered");
        QTest::addColumn<bool>("laterHost");
        QTest::addColumn<bool>("laterTray");
        QTest::addColumn<Host>("kind");
        QTest::newRow("no area yet, a tray comes") << Host::None << false << true << Host::XEmbed;
        QTest::newRow("no area yet, a host comes")
            << Host::None << true << false << Host::StatusNotifier;
        QTest::newRow("no area yet, both come")
            << Host::None << true << true << Host::StatusNotifier;
        QTest::newRow("no area ever") << Host::None << false << false << Host::None;
        QTest::newRow("the tray goes") << Host::XEmbed << false << false << Host::XEmbed;
        QTest::newRow("the host goes, a tray comes")
            << Host::StatusNotifier << false << true << Host::StatusNotifier;
    }
    void theIconFollowsTheArea()
    {
        QFETCH(Host, offered);
        QFETCH(bool, laterHost);
        QFETCH(bool, laterTray);
        QFETCH(Host, kind);
        SystemTrayArea area(offered, nullptr);
        area.showIcon(QIcon(), QStringLiteral("tip"));
        area.watch().reportStatusNotifierHost(laterHost);
        area.watch().reportXEmbedTray(laterTray);
        QCOMPARE(area.host(), kind);
        const bool held = kind == Host::StatusNotifier ? laterHost : laterTray;
        QCOMPARE(area.isIconShown(), held && kind != Host::None);
        QCOMPARE(iconOf(area) && iconOf(area)->isVisible(), kind != Host::None);
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
