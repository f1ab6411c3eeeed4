#include "batchsteps.h"
#include "harness.h"

#include "core/settingsentries.h"
#include "mainwindow/confirmationwindow.h"
#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace BatchSteps;
using namespace SettingsEntries;

namespace {

const QString question = QStringLiteral("Would you like to create another batch file?");

} // namespace

class TestConfirmationWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_h;
    const QByteArray m_path = qgetenv("PATH");

    void writeBatch(const char *name) { write(*m_h, steps({"c:", "c:\\dir", "a.exe", name})); }

    ConfirmationWindow *confirm() const { return m_h->forms->load<ConfirmationWindow>(); }
    QString showWindow() const { return m_h->read(showConfirmation); }

    // A Wine prefix for the harness's drive c:, and a stand-in for wine.
    void standInWine(const QByteArray &script)
    {
        const QString prefix = m_h->dir.filePath(u"wine"_qs);
        QDir().mkpath(prefix + u"/dosdevices"_qs);
        QFile::link(m_h->driveC(), prefix + u"/dosdevices/c:"_qs);
        m_h->drives = DriveMap::fromWinePrefix(prefix, QDir::homePath());
        TestFiles::writeScript(m_h->dir.filePath(u"bin/wine"_qs), script);
        qputenv("PATH", QFile::encodeName(m_h->dir.filePath(u"bin:"_qs)) + m_path);
        QDir().mkpath(m_h->dir.filePath(u"share"_qs));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_h->dir.filePath(u"share"_qs)));
    }

    // Alt and the key, as a user presses them; the button shows itself
    // pressed for a moment before it acts.
    void press(char key, QPushButton *button)
    {
        QApplication::setActiveWindow(confirm());
        QVERIFY(QTest::qWaitForWindowActive(confirm()));
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QVERIFY(button->isDown());
        QTRY_VERIFY(!button->isDown());
        Harness::settle();
    }

    void verifyMainWindowBackEmpty()
    {
        QVERIFY(m_h->forms->isLoaded<MainWindow>());
        MainWindow *window = m_h->forms->load<MainWindow>();
        QVERIFY(window->isVisible());
        QCOMPARE(answers(window), steps({"", "", "", ""}));
    }

private Q_SLOTS:
    void init()
    {
        m_h = std::make_unique<Harness>();
        m_h->start(); // a first run: the confirmation window is on, the icon shown
        QDir().mkpath(m_h->driveC() + QStringLiteral("/dir"));
    }

    void cleanup()
    {
        m_h.reset();
        qputenv("PATH", m_path);
    }

    void showWindowDecides_data()
    {
        QTest::addColumn<QString>("stored"); // empty: no entry at all
        QTest::addColumn<bool>("shown");

        QTest::newRow("1") << "1" << true;
        QTest::newRow("absent") << "" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("-1") << "-1" << false;
    }

    void showWindowDecides()
    {
        QFETCH(QString, stored);
        QFETCH(bool, shown);
        if (stored.isEmpty())
            m_h->settings->deleteSection(showConfirmation.section);
        else
            m_h->settings->write(showConfirmation, stored);
        writeBatch("a.bat");
        if (shown) {
            QVERIFY(confirm()->isVisible());
            QCOMPARE(confirm()->pathLabel()->text(), QStringLiteral("c:\\dir\\a.bat"));
            QVERIFY(m_h->messages.shown.isEmpty());
            QVERIFY(!m_h->forms->isLoaded<MainWindow>());
            // Given the file, which cannot run: the harness's drives are no Wine prefix.
            QVERIFY(confirm()->runButton()->toolTip().startsWith(u"There is no Wine prefix"_qs));
        } else { // asked at once; Yes brings the main window back
            QCOMPARE(confirm()->runButton()->toolTip(), u"Run the batch file now"_qs);
            QCOMPARE(m_h->messages.texts(), QStringList{question});
            QCOMPARE(m_h->messages.shown.first().kind, FakeMessageBoxes::Question);
            QVERIFY(m_h->forms->isLoaded<ConfirmationWindow>());
            QVERIFY(!confirm()->isVisible());
            verifyMainWindowBackEmpty();
        }
    }

    // The box moves the main window's checkmark at once; only OK stores it.
    void okStoresTheBox_data()
    {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("stored");

        QTest::newRow("cleared") << 1 << "0";
        QTest::newRow("cleared and ticked again") << 2 << "1";
    }

    void okStoresTheBox()
    {
        QFETCH(int, clicks);
        QFETCH(QString, stored);
        writeBatch("a.bat");
        for (int i = 0; i < clicks; ++i) {
            confirm()->showWindowBox()->click();
            Harness::settle();
            QVERIFY(m_h->forms->isLoaded<MainWindow>()); // loaded hidden for its checkmark
            QVERIFY(!m_h->forms->load<MainWindow>()->isVisible());
            QCOMPARE(m_h->forms->load<MainWindow>()->batchConfirmationAction()->isChecked(),
                     i == 1);
            // The first click's load consumes the marker; the second finds the
            // main window loaded and leaves it for the window's next unload.
            QCOMPARE(m_h->hasEntry(unloadMarker), i == 1);
            QCOMPARE(showWindow(), QStringLiteral("1"));
        }
        confirm()->okButton()->click();
        Harness::settle();
        QCOMPARE(showWindow(), stored);
        QCOMPARE(m_h->messages.texts(), QStringList{question});
        QVERIFY(!m_h->forms->isLoaded<ConfirmationWindow>());
        verifyMainWindowBackEmpty();
        QCOMPARE(m_h->forms->load<MainWindow>()->batchConfirmationAction()->isChecked(),
                 clicks == 2);

        m_h->messages.shown.clear();
        writeBatch("b.bat");
        QCOMPARE(m_h->messages.texts().size(), clicks == 1 ? 1 : 0);
    }

    void menuItemClosesTheWindow()
    {
        writeBatch("a.bat");
        MainWindow *window = m_h->forms->load<MainWindow>(); // back through the tray menu, say
        QVERIFY(window->isVisible());
        QVERIFY(window->batchConfirmationAction()->isChecked());
        window->batchConfirmationAction()->trigger();
        Harness::settle();
        QVERIFY(!window->batchConfirmationAction()->isChecked());
        QCOMPARE(showWindow(), QStringLiteral("0"));
        QVERIFY(!m_h->forms->isLoaded<ConfirmationWindow>());
        QVERIFY(m_h->messages.shown.isEmpty());

        window->batchConfirmationAction()->trigger();
        QCOMPARE(showWindow(), QStringLiteral("1"));
    }

    void answer_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("trayShown");
        QTest::addColumn<bool>("boxClicked"); // main window loaded hidden beforehand

        QTest::newRow("yes") << true << true << false;
        QTest::newRow("yes after a box click") << true << true << true;
        QTest::newRow("yes, no icon") << true << false << false;
        QTest::newRow("no, icon shown") << false << true << false;
        QTest::newRow("no, icon shown, after a box click") << false << true << true;
        QTest::newRow("no, no icon") << false << false << false;
    }

    void answer()
    {
        QFETCH(bool, yes);
        QFETCH(bool, trayShown);
        QFETCH(bool, boxClicked);
        if (!trayShown) {
            m_h->settings->write(loadOnStartup, off);
            m_h->restart();
        }
        QCOMPARE(m_h->trayArea.isIconShown(), trayShown);
        writeBatch("a.bat");
        if (boxClicked)
            confirm()->showWindowBox()->click();
        m_h->messages.answers = {yes};
        confirm()->okButton()->click();
        Harness::settle();
        QCOMPARE(m_h->messages.texts(), QStringList{question});
        if (yes) {
            verifyMainWindowBackEmpty();
            QCOMPARE(m_h->quitCalls, 0);
        } else if (trayShown) { // running on in the tray, nothing on screen
            QVERIFY(!m_h->forms->isLoaded<MainWindow>());
            QVERIFY(!m_h->forms->isLoaded<ConfirmationWindow>());
            QVERIFY(m_h->trayArea.isIconShown());
            QCOMPARE(m_h->quitCalls, 0);
        } else {
            QCOMPARE(m_h->quitCalls, 1);
        }
        QCOMPARE(m_h->trayArea.isIconShown(), trayShown);
    }

    void twoWritesAskTwice()
    {
        m_h->settings->write(showConfirmation, off);
        writeBatch("a.bat");
        writeBatch("b.bat");
        QCOMPARE(m_h->messages.texts(), (QStringList{question, question}));
        QCOMPARE(m_h->read(lastBatchPath), QStringLiteral("c:\\dir\\b.bat"));
    }

    // The newest file replaces the window of the one before.
    void secondWriteWhileOpen()
    {
        writeBatch("a.bat");
        QPointer<ConfirmationWindow> first = confirm();
        QVERIFY(first->isVisible());
        writeBatch("b.bat");
        QVERIFY(first.isNull());
        QVERIFY(confirm()->isVisible());
        QCOMPARE(confirm()->pathLabel()->text(), QStringLiteral("c:\\dir\\b.bat"));
        QVERIFY(m_h->messages.shown.isEmpty());
    }

    // Closing the window runs none of its handlers.
    void closeBoxAsksNothing()
    {
        writeBatch("a.bat");
        confirm()->showWindowBox()->setChecked(false);
        confirm()->close();
        Harness::settle();
        QVERIFY(!m_h->forms->isLoaded<ConfirmationWindow>());
        QVERIFY(m_h->messages.shown.isEmpty());
        QCOMPARE(showWindow(), QStringLiteral("1"));
        QCOMPARE(m_h->quitCalls, 0); // the icon keeps the program reachable
    }

    // Tab runs OK, Run, Add to Menu, the box; neither button closes the
    // window, and Add to Menu asks nothing.
    void addToMenu_data()
    {
        QTest::addColumn<bool>("fileInTheWay"); // where the entries' folder should be
        QTest::newRow("added") << false;
        QTest::newRow("a file in the folder's place") << true;
    }

    void addToMenu()
    {
        QFETCH(bool, fileInTheWay);
        standInWine("exit 0");
        if (fileInTheWay)
            TestFiles::write(m_h->dir.filePath(u"share/applications"_qs), "in the way");
        writeBatch("a.bat");
        QPushButton *button = confirm()->addToMenuButton();
        confirm()->okButton()->setFocus();
        for (QWidget *next : {(QWidget *)confirm()->runButton(), (QWidget *)button,
                              (QWidget *)confirm()->showWindowBox()}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        press('m', button);
        const QStringList entries = QDir(m_h->dir.filePath(u"share/applications"_qs))
                                        .entryList({u"org.tolvane.Tolvane.Batch_*.desktop"_qs});
        QCOMPARE(entries.size(), fileInTheWay ? 0 : 1);
        QCOMPARE(button->text(), fileInTheWay ? u"Add to &Menu"_qs : u"In the Menu"_qs);
        QCOMPARE(button->isEnabled(), fileInTheWay);
        QCOMPARE(m_h->messages.texts(),
                 fileInTheWay ? QStringList{u"The batch file c:\\dir\\a.bat could not be added to "
                                            "the applications menu.\n\n%1/share/applications is a "
                                            "file, not a folder."_qs.arg(m_h->dir.path())}
                              : QStringList());
        QVERIFY(confirm()->isVisible());
    }

    // The stand-in says what it was given, or fails at once.
    void run_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("runs") << QByteArray("printf '%s\\n' \"$@\" > \"$XDG_DATA_HOME/ran\"")
                              << QStringList();
        QTest::newRow("fails at once")
            << QByteArray("echo 'wine: could not load kernel32.dll' >&2; touch "
                          "\"$XDG_DATA_HOME/ran\"; exit 1")
            << QStringList{u"Wine stopped at once while running the batch file c:\\dir\\a.bat. "
                           "It said:\n\nwine: could not load kernel32.dll"_qs};
    }

    void run()
    {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, messages);
        standInWine(script);
        writeBatch("a.bat");
        QVERIFY(confirm()->runButton()->isEnabled());
        press('r', confirm()->runButton());
        const QString ran = m_h->dir.filePath(u"share/ran"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ran), 60000);
        QTRY_COMPARE_WITH_TIMEOUT(m_h->messages.texts(), messages, 60000);
        if (messages.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(TestFiles::read(ran), QByteArray("c:\\dir\\a.bat\n"), 60000);
        QVERIFY(confirm()->isVisible());
    }

    // A long path wraps inside its box and the window grows to hold it, but
    // never beyond the screen: a huge one keeps its two ends.
    void nothingClipped_data()
    {
        QTest::addColumn<QString>("longPath");
        QTest::newRow("wraps") << QStringLiteral("c:\\") + QString(40, QLatin1Char('d')) +
                                      QStringLiteral("\\") + QString(60, QLatin1Char('n')) +
                                      QStringLiteral(".bat");
        QTest::newRow("100 KB") << QStringLiteral("c:\\") + QString(100000, QLatin1Char('d')) +
                                       QStringLiteral("\\end.bat");
    }

    void nothingClipped()
    {
        QFETCH(QString, longPath);
        QVERIFY(confirm()->pathLabel()->text().isEmpty()); // no path stored yet
        m_h->forms->unload<ConfirmationWindow>();
        Harness::settle();
        m_h->settings->write(lastBatchPath, longPath);
        ConfirmationWindow *window = confirm();
        QLabel *path = window->pathLabel();
        QCOMPARE(path->text(), longPath);
        QVERIFY(path->height() >= path->heightForWidth(path->width()));
        QVERIFY(path->height() > 2 * path->fontMetrics().height());
        QVERIFY(window->rect().contains(window->okButton()->geometry()));
        QVERIFY(window->okButton()->geometry().top() > path->geometry().bottom());
        QVERIFY(window->height() <= window->screen()->availableGeometry().height());
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }
};

QTEST_MAIN(TestConfirmationWindow)
#include "tst_confirmationwindow.moc"
