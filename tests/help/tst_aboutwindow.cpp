// The About window: opened from either menu, once; the unload marker it sets;
// and a layout in which nothing is cut off.
#include "harness.h"

#include "core/settingsentries.h"
#include "core/unloadmarker.h"
#include "help/aboutwindow.h"
#include "mainwindow/mainwindow.h"
#include "tray/trayhost.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace SettingsEntries;

class TestAboutWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_harness = std::make_unique<Harness>();
        m_harness->start();
    }
    void cleanup() { m_harness.reset(); }

    // The second choice neither shows another window nor writes the marker.
    void openedOnce_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("main, main") << u"main"_qs << u"main"_qs;
        QTest::newRow("tray, tray") << u"tray"_qs << u"tray"_qs;
        QTest::newRow("main, tray") << u"main"_qs << u"tray"_qs;
        QTest::newRow("tray, main") << u"tray"_qs << u"main"_qs;
    }
    void openedOnce()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        menuItem(first)->trigger();
        QVERIFY(m_harness->forms->isLoaded<AboutWindow>());
        AboutWindow *about = m_harness->forms->load<AboutWindow>();
        QVERIFY(about->isVisible());
        QCOMPARE(marker(), UnloadMarker::text());

        m_harness->settings->deleteSection(unloadMarker.section);
        menuItem(second)->trigger();
        Harness::settle();
        QCOMPARE(m_harness->forms->load<AboutWindow>(), about);
        QCOMPARE(aboutWindows(), 1);
        QVERIFY(!m_harness->hasEntry(unloadMarker.section, unloadMarker.key));
    }

    // From the tray with the main window not loaded, or loaded but hidden:
    // the About window shows alone and the main window stays as it was.
    void fromTrayLeavesMainWindowAlone_data()
    {
        QTest::addColumn<bool>("unloadMain");
        QTest::newRow("main window not loaded") << true;
        QTest::newRow("main window hidden") << false;
    }
    void fromTrayLeavesMainWindowAlone()
    {
        QFETCH(bool, unloadMain);
        MainWindow *main = m_harness->forms->load<MainWindow>();
        if (unloadMain)
            main->close(); // the icon is shown, so the program stays in the tray
        else
            main->hide();
        Harness::settle();
        QCOMPARE(m_harness->forms->isLoaded<MainWindow>(), !unloadMain);
        QCOMPARE(m_harness->quitCalls, 0);

        trayHost()->aboutItem()->trigger();
        Harness::settle();
        QVERIFY(m_harness->forms->load<AboutWindow>()->isVisible());
        QCOMPARE(m_harness->forms->isLoaded<MainWindow>(), !unloadMain);
        if (!unloadMain)
            QVERIFY(!m_harness->forms->load<MainWindow>()->isVisible());
        QCOMPARE(marker(), UnloadMarker::text());
        QCOMPARE(m_harness->quitCalls, 0);
    }

    // The marker is the main window's to clear; closing the About window,
    // by OK or by its close box, leaves it.
    void markerStaysAfterClosing_data()
    {
        QTest::addColumn<bool>("byOk");
        QTest::newRow("OK") << true;
        QTest::newRow("close box") << false;
    }
    void markerStaysAfterClosing()
    {
        QFETCH(bool, byOk);
        MainWindow *main = m_harness->forms->load<MainWindow>();
        main->aboutAction()->trigger();
        AboutWindow *about = m_harness->forms->load<AboutWindow>();
        if (byOk)
            QTest::mouseClick(about->okButton(), Qt::LeftButton);
        else
            about->close();
        Harness::settle();
        QVERIFY(!m_harness->forms->isLoaded<AboutWindow>());
        QCOMPARE(aboutWindows(), 0);
        QCOMPARE(marker(), UnloadMarker::text());
        QVERIFY(main->isVisible());
        QCOMPARE(m_harness->quitCalls, 0);
    }

    // Where it opens, that it cannot be resized, and the one control that
    // takes the focus.
    void placeSizeAndFocus()
    {
        AboutWindow *about = m_harness->forms->load<AboutWindow>();
        QCOMPARE(about->geometry(), QRect(214, 147, 402, 299));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QVERIFY(!(about->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QToolButton *ok = about->okButton();
        QCOMPARE(about->focusWidget(), ok);
        QCOMPARE(ok->toolTip(), u"Back to Tolvane"_qs);
        QVERIFY(!ok->icon().isNull());
        QVERIFY(about->titleLabel()->font().bold());
    }

    // Every label shows all of its text inside the window, and no two overlap.
    void noLabelIsClipped()
    {
        AboutWindow *about = m_harness->forms->load<AboutWindow>();
        QList<QLabel *> labels;
        for (QLabel *label : about->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                labels.append(label);
        }
        QCOMPARE(labels.size(), 4);
        for (const QLabel *label : labels) {
            const QString name = label->objectName();
            QVERIFY2(about->rect().contains(label->geometry()), qPrintable(name));
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
            const int oneLine = label->fontMetrics().horizontalAdvance(label->text());
            if (label->height() < 2 * label->fontMetrics().lineSpacing())
                QVERIFY2(oneLine <= label->width(), qPrintable(name));
            for (const QLabel *other : labels) {
                if (other != label)
                    QVERIFY2(!label->geometry().intersects(other->geometry()), qPrintable(name));
            }
        }
        const QWidget *line = about->findChild<QWidget *>(u"Line1"_qs);
        QVERIFY(line->geometry().bottom() < about->okButton()->geometry().top());
    }

private:
    QAction *menuItem(const QString &which) const
    {
        if (which == u"tray"_qs)
            return trayHost()->aboutItem();
        return m_harness->forms->load<MainWindow>()->aboutAction();
    }
    TrayHost *trayHost() const { return m_harness->forms->load<TrayHost>(); }
    QString marker() const { return m_harness->read(unloadMarker); }
    static int aboutWindows()
    {
        int count = 0;
        for (const QWidget *widget : QApplication::topLevelWidgets())
            count += qobject_cast<const AboutWindow *>(widget) != nullptr;
        return count;
    }

    std::unique_ptr<Harness> m_harness;
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
