#include "testfiles.h"

#include "core/detachedrun.h"
#include "core/errortail.h"

#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

constexpr int patience = 60000; // ms; a slow machine still gets there

// The state and parent of each process whose parent is `parent`.
QStringList childrenOf(pid_t parent)
{
    QStringList found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        const QByteArray stat = TestFiles::read(QStringLiteral("/proc/%1/stat").arg(entry));
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toInt() == parent)
            found.append(entry + QLatin1Char(' ') + QString::fromLatin1(fields.at(0)));
    }
    return found;
}

} // namespace

// Programs started apart from the test, which stands in for Tolvane; each is
// a script that ends at once or waits for the test's word.
class TestDetachedRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;

private Q_SLOTS:
    void reportsAnEarlyEnd_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("reported");

        QTest::newRow("fails at once") << QByteArray("echo 'it looks like wine32 is missing, you "
                                                     "should install it.' >&2\n"
                                                     "for n in 1 2 3 4 5 6 7 8; do echo \"line "
                                                     "$n\" >&2; done; exit 1")
                                       << "line 3\nline 4\nline 5\nline 6\nline 7\nline 8";
        QTest::newRow("ends without a word") << QByteArray("echo fine; exit 0") << "";
    }

    void reportsAnEarlyEnd()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, reported);
        const QString program = m_tmp.filePath(QStringLiteral("program"));
        TestFiles::writeScript(program, script);
        // Watched longer than the test waits: only a seen end ends the watch in time.
        QPointer<DetachedRun> run = new DetachedRun(this, std::chrono::milliseconds(2 * patience));
        QSignalSpy said(run, &DetachedRun::endedWithError);
        QCOMPARE(run->start({program}, m_tmp.path()), std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(run.isNull(), patience);
        QCOMPARE(said.size(), reported.isEmpty() ? 0 : 1);
        if (!reported.isEmpty())
            QCOMPARE(said.first().first().toString(), reported);
    }

    // Still running when the watch is over: nothing is said, and the program
    // goes on, in a session of its own, no child of ours, leaving no zombie.
    void outlivesTheWatch()
    {
        const QString word = m_tmp.filePath(QStringLiteral("go on"));
        const QString done = m_tmp.filePath(QStringLiteral("done"));
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
        const QString children = u',' + childrenOf(getpid()).join(u',');
        QVERIFY2(!children.contains(u'Z') && !children.contains(QStringLiteral(",%1 ").arg(pid)),
                 qPrintable(children));
        QVERIFY(getsid(pid) != getsid(0));
        TestFiles::write(word, {});
        QTRY_COMPARE_WITH_TIMEOUT(TestFiles::read(done).trimmed(),
                                  QDir(m_tmp.path()).canonicalPath().toUtf8(), patience);
        QCOMPARE(said.size(), 0);
    }

    void errorTail_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("tail");

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
    }

    void errorTail()
    {
        QFETCH(QByteArray, output);
        QFETCH(QString, tail);
        QCOMPARE(ErrorTail::of(output), tail);
    }
};

QTEST_MAIN(TestDetachedRun)
#include "tst_detachedrun.moc"
