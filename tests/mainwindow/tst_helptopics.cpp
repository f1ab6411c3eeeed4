// The three Help menu items: the path each one builds and what each hands to
// the help viewer.
#include "harness.h"

#include "core/settingsentries.h"
#include "mainwindow/helpcontrol.h"
#include "mainwindow/mainwindow.h"
#include "ui/helpviewer.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr qint16 contextCommand = HelpViewer::ContextCommand;
constexpr qint16 forceFileCommand = HelpViewer::ForceFileCommand;

} // namespace

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

    // Each item's command and context; "Tolvane Help" leaves the context as
    // the item before it left it.
    void itemsInAnyOrder_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QList<int>>("commands");
        QTest::addColumn<QList<int>>("contexts");
        QTest::newRow("help first")
            << QStringList{u"help"_qs, u"contact"_qs, u"licence"_qs}
            << QList<int>{forceFileCommand, contextCommand, contextCommand} << QList<int>{0, 2, 3};
        QTest::newRow("help after licence")
            << QStringList{u"licence"_qs, u"help"_qs, u"contact"_qs, u"help"_qs}
            << QList<int>{contextCommand, forceFileCommand, contextCommand, forceFileCommand}
            << QList<int>{3, 3, 2, 2};
    }
    void itemsInAnyOrder()
    {
        QFETCH(QStringList, items);
        QFETCH(QList<int>, commands);
        QFETCH(QList<int>, contexts);
        for (const QString &item : items)
            itemNamed(item)->trigger();
        QCOMPARE(requests().size(), items.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            QCOMPARE(int(requests()[i].command), commands[i]);
            QCOMPARE(requests()[i].context, contexts[i]);
        }
        const auto *dialog = m_window->findChild<HelpControl *>(QStringLiteral("CommonDialog1"));
        QVERIFY(dialog);
        QCOMPARE(dialog->helpContext(), contexts.last());
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
        QCOMPARE(requests()[0].command, forceFileCommand);
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
