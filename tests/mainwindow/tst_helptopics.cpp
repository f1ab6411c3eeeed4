// The three Help menu items: the path each one builds and what each hands to
// the help viewer.
#include "harness.h"

#include "core/settingsentries.h"
#include "mainwindow/mainwindow.h"
#include "ui/helpviewer.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

class TestHelpTopics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_harness = std::make_unique<Harness>();
        m_harness->start();
        m_window = m_harness->forms->load<MainWindow>();
    }
    void cleanup()
    {
        m_window = nullptr;
        m_harness.reset();
    }

    void helpFilePath_data()
    {
        QTest::addColumn<QString>("stored"); // empty: the entry is absent
        QTest::addColumn<QString>("expected");
        QTest::newRow("entry missing") << QString() << QStringLiteral("batch.hlp");
        QTest::newRow("no separator added")
            << QStringLiteral("c:\\tools") << QStringLiteral("c:\\toolsbatch.hlp");
        QTest::newRow("folder with separator")
            << QStringLiteral("c:\\tools\\") << QStringLiteral("c:\\tools\\batch.hlp");
    }
    void helpFilePath()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        if (!stored.isNull())
            setInstallDirectory(stored);
        const QList<QAction *> items{m_window->helpContentsAction(),
                                     m_window->contactAuthorAction(), m_window->licenceAction()};
        for (QAction *item : items)
            item->trigger();
        QCOMPARE(requests().size(), 3);
        for (const FakeHelpViewer::Request &request : requests())
            QCOMPARE(request.helpFile, expected);
        // The program only reads the entry.
        QCOMPARE(m_harness->hasEntry(SettingsEntries::installDirectory.section,
                                     SettingsEntries::installDirectory.key),
                 !stored.isNull());
    }

    // Each item's topic, 0 for the opening one, in any order.
    void itemsInAnyOrder_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QList<int>>("topics");
        QTest::newRow("help first")
            << QStringList{u"help"_qs, u"contact"_qs, u"licence"_qs} << QList<int>{0, 2, 3};
        QTest::newRow("help after licence")
            << QStringList{u"licence"_qs, u"help"_qs, u"contact"_qs, u"help"_qs}
            << QList<int>{3, 0, 2, 0};
    }
    void itemsInAnyOrder()
    {
        QFETCH(QStringList, items);
        QFETCH(QList<int>, topics);
        for (const QString &item : items)
            itemNamed(item)->trigger();
        QCOMPARE(requests().size(), items.size());
        for (qsizetype i = 0; i < items.size(); ++i)
            QCOMPARE(requests()[i].topic, topics[i]);
    }

    // A changed installation folder counts from the next use on.
    void pathBuiltAnewEachUse()
    {
        m_window->helpContentsAction()->trigger();
        setInstallDirectory(QStringLiteral("d:\\help\\"));
        m_window->contactAuthorAction()->trigger();
        m_harness->settings->deleteSection(SettingsEntries::installDirectory.section);
        m_window->licenceAction()->trigger();
        QCOMPARE(requests().size(), 3);
        QCOMPARE(requests()[0].helpFile, QStringLiteral("batch.hlp"));
        QCOMPARE(requests()[1].helpFile, QStringLiteral("d:\\help\\batch.hlp"));
        QCOMPARE(requests()[2].helpFile, QStringLiteral("batch.hlp"));
    }

    void f1OpensHelp()
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        m_window->driveEdit()->setFocus();
        QTest::keyClick(m_window->driveEdit(), Qt::Key_F1);
        QCOMPARE(requests().size(), 1);
        QCOMPARE(requests()[0].topic, 0);
        QCOMPARE(requests()[0].helpFile, QStringLiteral("batch.hlp"));
        // Nothing else happens to the program.
        QVERIFY(m_harness->messages.shown.isEmpty());
        QVERIFY(m_window->isVisible());
    }

private:
    const QList<FakeHelpViewer::Request> &requests() const
    {
        return m_harness->helpViewer.requests;
    }
    void setInstallDirectory(const QString &folder)
    {
        m_harness->settings->write(SettingsEntries::installDirectory.section,
                                   SettingsEntries::installDirectory.key, folder);
    }
    QAction *itemNamed(const QString &item) const
    {
        if (item == u"help"_qs)
            return m_window->helpContentsAction();
        if (item == u"contact"_qs)
            return m_window->contactAuthorAction();
        return m_window->licenceAction();
    }

    std::unique_ptr<Harness> m_harness;
    MainWindow *m_window = nullptr;
};

QTEST_MAIN(TestHelpTopics)
#include "tst_helptopics.moc"
