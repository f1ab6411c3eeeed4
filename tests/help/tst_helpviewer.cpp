// The program's own help viewer: where it finds the help file, which topic it
// shows, and how it reports what it cannot show.
#include "testfiles.h"

#include "core/drivemap.h"
#include "help/helpfilelocator.h"
#include "help/helpwindow.h"
#include "help/windowhelpviewer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <sys/stat.h>

namespace {

// Topic 0 stands for the opening topic.
void show(HelpViewer &viewer, const QString &helpFile, int topic)
{
    if (topic == 0)
        viewer.showContents(helpFile);
    else
        viewer.showTopic(helpFile, topic);
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_previousFolder = QDir::currentPath();
        QDir().mkpath(path(u"work"_qs));
        QDir().mkpath(path(u"prefix/bin"_qs));
        QDir().mkpath(path(u"drive_c"_qs));
        QVERIFY(QDir::setCurrent(path(u"work"_qs)));
        m_drives = DriveMap({{QLatin1Char('c'), path(u"drive_c"_qs)}});
        m_viewer = std::make_unique<WindowHelpViewer>(m_drives, path(u"prefix/bin"_qs));
    }
    void cleanup()
    {
        m_viewer.reset();
        QDir::setCurrent(m_previousFolder);
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    // A bare name: the current folder, then beside the executable, then the
    // installed data folder; the first that holds the file wins.
    void bareNameLookup_data()
    {
        QTest::addColumn<QStringList>("holders");
        QTest::addColumn<QString>("expected");
        const QString work = u"work/batch.hlp"_qs;
        const QString bin = u"prefix/bin/batch.hlp"_qs;
        const QString share = u"prefix/share/tolvane/batch.hlp"_qs;
        QTest::newRow("current folder first") << QStringList{work, bin, share} << work;
        QTest::newRow("beside the executable") << QStringList{bin, share} << bin;
        QTest::newRow("installed data folder") << QStringList{share} << share;
    }
    void bareNameLookup()
    {
        QFETCH(QStringList, holders);
        QFETCH(QString, expected);
        for (const QString &holder : holders)
            TestFiles::write(path(holder), "<html></html>");
        const HelpFileLocator locator(m_drives, path(u"prefix/bin"_qs));
        const HelpFileLocator::Result result = locator.locate(u"batch.hlp"_qs);
        QVERIFY2(result.found(), qPrintable(result.problem));
        QCOMPARE(result.path, path(expected));
    }

    // Paths as the settings entry makes them: DOS form through the drive map,
    // letter case as DOS ignores it, the host's own absolute form as is.
    void pathLookup_data()
    {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<QString>("expected"); // empty: not found
        QTest::newRow("dos path") << u"c:\\tools\\batch.hlp"_qs << u"drive_c/tools/batch.hlp"_qs;
        QTest::newRow("dos path, other case")
            << u"C:\\TOOLS\\BATCH.HLP"_qs << u"drive_c/tools/batch.hlp"_qs;
        QTest::newRow("no separator added") << u"c:\\toolsbatch.hlp"_qs << QString();
        QTest::newRow("unmapped drive") << u"q:\\tools\\batch.hlp"_qs << QString();
        QTest::newRow("relative dos path") << u"sub\\batch.hlp"_qs << u"work/sub/batch.hlp"_qs;
    }
    void pathLookup()
    {
        QFETCH(QString, helpFile);
        QFETCH(QString, expected);
        TestFiles::write(path(u"drive_c/tools/batch.hlp"_qs), "<html></html>");
        TestFiles::write(path(u"work/sub/batch.hlp"_qs), "<html></html>");
        const HelpFileLocator locator(m_drives, path(u"prefix/bin"_qs));
        const HelpFileLocator::Result result = locator.locate(helpFile);
        if (expected.isEmpty()) {
            QVERIFY(!result.found());
            QVERIFY2(result.problem.contains(helpFile), qPrintable(result.problem));
        } else {
            QVERIFY2(result.found(), qPrintable(result.problem));
            QCOMPARE(result.path, path(expected));
        }
    }

    // The shipped help file: its opening topic is its top, and topics 2 and 3
    // are where the Help menu sends the user.
    void topicShown_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("heading");
        QTest::newRow("contact") << 2 << u"How to contact the author"_qs;
        QTest::newRow("licence") << 3 << u"License agreement"_qs;
    }
    void topicShown()
    {
        QFETCH(int, topic);
        QFETCH(QString, heading);
        installShippedFile();
        m_viewer->showTopic(u"batch.hlp"_qs, topic);
        HelpWindow *window = m_viewer->window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->browser()->source().fragment(), QString::number(topic));
        QTRY_VERIFY(scrollOf(window) > 0);
        // The topic's heading is in view.
        QTextDocument *document = window->browser()->document();
        const QTextCursor found =
            document->find(heading, document->characterCount() - 1, QTextDocument::FindBackward);
        QVERIFY(!found.isNull());
        const QRect shown = window->browser()->viewport()->rect();
        QVERIFY(shown.contains(window->browser()->cursorRect(found)));
        QVERIFY(window->problemLabel()->isHidden());
    }

    // Force-file opens the file at its opening topic, leaves a viewer that
    // already shows it where it is, and starts afresh once the user closed it.
    void forceFile()
    {
        installShippedFile();
        m_viewer->showContents(u"batch.hlp"_qs);
        HelpWindow *window = m_viewer->window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), u"Tolvane Help"_qs);
        QCOMPARE(scrollOf(window), 0);

        m_viewer->showTopic(u"batch.hlp"_qs, 2);
        QTRY_VERIFY(scrollOf(window) > 0);
        const int scroll = scrollOf(window);
        const QUrl source = window->browser()->source();
        m_viewer->showContents(u"batch.hlp"_qs);
        QCoreApplication::processEvents();
        QCOMPARE(m_viewer->window(), window);
        QCOMPARE(window->browser()->source(), source);
        QCOMPARE(scrollOf(window), scroll);

        QSignalSpy closed(m_viewer.get(), &WindowHelpViewer::windowClosed);
        window->close();
        QCOMPARE(closed.size(), 1);
        QTRY_VERIFY(!m_viewer->window());
        m_viewer->showContents(u"batch.hlp"_qs);
        QVERIFY(m_viewer->window() && m_viewer->window()->isVisible());
        QCOMPARE(scrollOf(m_viewer->window()), 0);
    }

    // What cannot be shown is said in the viewer's window, never in a message
    // box, and what the viewer showed stays as it was.
    void problemsReportedInTheViewer_data()
    {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("missing file") << u"nothere.hlp"_qs << 0 << u"nothere.hlp"_qs;
        QTest::newRow("missing dos file")
            << u"c:\\toolsbatch.hlp"_qs << 2 << u"c:\\toolsbatch.hlp"_qs;
        QTest::newRow("unknown topic") << u"batch.hlp"_qs << 99 << u"99"_qs;
        QTest::newRow("named pipe")
            << u"pipe.hlp"_qs << 0 << u"is a named pipe (FIFO), not a file"_qs;
        QTest::newRow("link to /dev/zero") << u"zero.hlp"_qs << 2 << u"is a device, not a file"_qs;
        QTest::newRow("over 4 MiB") << u"big.hlp"_qs << 0 << u"larger than 4096 KiB"_qs;
        QTest::newRow("markup in the name") << u"<b>x</b>.hlp"_qs << 0 << u"<b>x</b>.hlp"_qs;
    }
    void problemsReportedInTheViewer()
    {
        QFETCH(QString, helpFile);
        QFETCH(int, topic);
        QFETCH(QString, mentions);
        installShippedFile();
        makeHostileFiles();
        QFile big(path(u"work/big.hlp"_qs));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(4 * 1024 * 1024 + 1));
        m_viewer->showTopic(u"batch.hlp"_qs, 3);
        HelpWindow *window = m_viewer->window();
        QTRY_VERIFY(scrollOf(window) > 0);
        const int scroll = scrollOf(window);
        const QUrl source = window->browser()->source();

        show(*m_viewer, helpFile, topic);
        QCoreApplication::processEvents();
        QCOMPARE(m_viewer->window(), window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->problemLabel()->isHidden());
        QVERIFY2(window->problemLabel()->text().contains(mentions),
                 qPrintable(window->problemLabel()->text()));
        QCOMPARE(window->problemLabel()->textFormat(), Qt::PlainText);
        QCOMPARE(window->browser()->source(), source);
        QCOMPARE(scrollOf(window), scroll);
        QVERIFY(!QApplication::activeModalWidget());
        const auto windows = QApplication::topLevelWidgets();
        for (const QWidget *widget : windows)
            QVERIFY(!qobject_cast<const QMessageBox *>(widget));

        // The next request that works clears the complaint.
        m_viewer->showTopic(u"batch.hlp"_qs, 2);
        QVERIFY(window->problemLabel()->isHidden());
    }

    // A help document may show images beside it and link to its own topics
    // and to the web; a pipe, a device or a program is neither read nor opened.
    void linksStayInTheHelp_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("followed");
        QTest::newRow("own topic") << u"#2"_qs << true;
        QTest::newRow("named pipe") << u"pipe.hlp"_qs << false;
        QTest::newRow("link to a device") << u"zero.hlp"_qs << false;
        QTest::newRow("program") << u"file:///bin/sh"_qs << false;
    }
    void linksStayInTheHelp()
    {
        QFETCH(QString, link);
        QFETCH(bool, followed);
        makeHostileFiles();
        TestFiles::write(path(u"work/links.hlp"_qs),
                         "<html><body><img src=\"pipe.hlp\"><img src=\"zero.hlp\"><p>one</p>"
                         "<a name=\"2\">two</a></body></html>");
        m_viewer->showContents(u"links.hlp"_qs);
        HelpWindow *window = m_viewer->window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QUrl before = window->browser()->source();
        Q_EMIT window->browser()->anchorClicked(QUrl(link));
        QCOMPARE(window->problemLabel()->isHidden(), followed);
        QCOMPARE(window->browser()->source(), followed ? before.resolved(QUrl(link)) : before);
    }

    // The web link goes to the user's browser; with no browser to start
    // (offscreen has none), the viewer says so and stays on its topic.
    void webLink_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::newRow("no browser") << false;
        QTest::newRow("browser") << true;
    }
    void webLink()
    {
        QFETCH(bool, browser);
        if (browser)
            QDesktopServices::setUrlHandler(u"https"_qs, this, "openLink");
        installShippedFile();
        m_viewer->showTopic(u"batch.hlp"_qs, 2);
        QTextBrowser *text = m_viewer->window()->browser();
        const QUrl source = text->source();
        QTextCursor link = text->document()->find(u"tolvane.org"_qs);
        while (!link.isNull() && !link.charFormat().isAnchor())
            link = text->document()->find(u"tolvane.org"_qs, link);
        QVERIFY(!link.isNull());
        link.setPosition(link.selectionStart() + 3);
        text->setTextCursor(link);
        text->ensureCursorVisible();
        QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(link).center());
        QDesktopServices::unsetUrlHandler(u"https"_qs);

        QCOMPARE(text->source(), source);
        const QLabel *problem = m_viewer->window()->problemLabel();
        QCOMPARE(problem->isHidden(), browser);
        QCOMPARE(m_opened, browser ? QUrl(u"https://tolvane.org"_qs) : QUrl());
        if (!browser)
            QVERIFY2(problem->text().contains(u"tolvane.org"_qs), qPrintable(problem->text()));
    }

public Q_SLOTS:
    void openLink(const QUrl &url) { m_opened = url; }

private:
    QUrl m_opened;
    // In the current folder, searched first for a bare name.
    void makeHostileFiles()
    {
        QCOMPARE(mkfifo(QFile::encodeName(path(u"work/pipe.hlp"_qs)).constData(), 0600), 0);
        QVERIFY(QFile::link(u"/dev/zero"_qs, path(u"work/zero.hlp"_qs)));
    }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    void installShippedFile()
    {
        TestFiles::copy(QStringLiteral(TOLVANE_HELP_FILE),
                        path(u"prefix/share/tolvane/batch.hlp"_qs));
    }
    static int scrollOf(const HelpWindow *window)
    {
        return window->browser()->verticalScrollBar()->value();
    }

    QTemporaryDir m_dir;
    QString m_previousFolder;
    DriveMap m_drives;
    std::unique_ptr<WindowHelpViewer> m_viewer;
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
