#include "testfiles.h"

#include "core/detachedrun.h"

#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int patience = 60000; // ms; a slow machine still gets there

} // namespace

// Programs started apart from the test, which stands in for Tolvane; each is
// a script that ends at once or waits for the test's word.
class TestDetachedRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;

private Q_SLOTS:
    // The script says `said` on its error output and ends. Only the last lines
    // that tell what went wrong are reported, never the notices Wine and ALSA
    // print on every run.
    void reportsAnEarlyEnd_data()
    {
        QTest::addColumn<QByteArray>("said");
        QTest::addColumn<QString>("reported"); // empty: nothing at all

        QTest::newRow("the last six lines")
            << QByteArray("1\n2\n3\n4\n5\n6\n7\n8\n") << "3\n4\n5\n6\n7\n8";
        QTest::newRow("Debian wine's notice alone")
            << QByteArray("it looks like wine32 is missing, you should install it.\n"
                          "multiarch needs to be enabled first.  as root, please\n"
                          "execute \"dpkg --add-architecture i386 && apt-get update &&\n"
                          "apt-get install wine32:i386\"\n")
            << "";
        QTest::newRow("fixme and ALSA lines")
            << QByteArray("0024:fixme:ntdll:feature not there\r\nALSA lib conf.c: no card\n"
                          "wine: failed to open \"c:\\\\go.bat\": c0000135\r\n")
            << "wine: failed to open \"c:\\\\go.bat\": c0000135";
        QTest::newRow("a long line") << QByteArray(1000, 'x') << QString(300, u'x') + u'…';
        QTest::newRow("ends without a word") << QByteArray() << "";
    }

    void reportsAnEarlyEnd()
    {
        QFETCH(QByteArray, said);
        QFETCH(QString, reported);
        TestFiles::write(m_tmp.filePath(QStringLiteral("said")), said);
        const QString program = m_tmp.filePath(QStringLiteral("program"));
        TestFiles::writeScript(program, "echo 'all fine'; cat said >&2; exit 1");
        // Watched longer than the test waits: only a seen end ends the watch in time.
        QPointer<DetachedRun> run = new DetachedRun(this, std::chrono::milliseconds(2 * patience));
        QSignalSpy spy(run, &DetachedRun::endedWithError);
        QCOMPARE(run->start({program}, m_tmp.path()), std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(run.isNull(), patience);
        QCOMPARE(spy.size(), reported.isEmpty() ? 0 : 1);
        if (!reported.isEmpty())
            QCOMPARE(spy.first().first().toString(), reported);
    }

    // Still running when the watch is over: nothing is said, and the program
    // goes on, in a session of its own, no child of ours, leaving no zombie.
    void outlivesTheWatch()
    {
        TestFiles::writeScript(m_tmp.filePath(QStringLiteral("waits")),
                               "echo $$ > pid; while [ ! -e 'go on' ]; do sleep 0.05; done; "
                               "echo 'said late' >&2; pwd > done");
        QPointer<DetachedRun> run = new DetachedRun(this, std::chrono::milliseconds(100));
        QSignalSpy said(run, &DetachedRun::endedWithError);
        QCOMPARE(run->start({m_tmp.filePath(QStringLiteral("waits"))}, m_tmp.path()), std::nullopt);
        const QString pidFile = m_tmp.filePath(QStringLiteral("pid"));
        QTRY_VERIFY_WITH_TIMEOUT(TestFiles::read(pidFile).endsWith('\n'), patience);
        const pid_t pid = TestFiles::read(pidFile).trimmed().toInt();
        QTRY_VERIFY_WITH_TIMEOUT(run.isNull(), patience);
        errno = 0;
        QCOMPARE(waitpid(-1, nullptr, WNOHANG), -1); // no child at all, running or a zombie
        QCOMPARE(errno, ECHILD);
        QVERIFY(getsid(pid) != getsid(0));
        TestFiles::write(m_tmp.filePath(QStringLiteral("go on")), {});
        QTRY_COMPARE_WITH_TIMEOUT(TestFiles::read(m_tmp.filePath(QStringLiteral("done"))).trimmed(),
                                  QDir(m_tmp.path()).canonicalPath().toUtf8(), patience);
        QCOMPARE(said.size(), 0);
    }
};

QTEST_MAIN(TestDetachedRun)
#include "tst_detachedrun.moc"
