#include "core/drivemap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

class TestDriveMap : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_driveC;
    DriveMap m_map;

private Q_SLOTS:
    void initTestCase()
    {
        m_driveC = m_tmp.filePath(QStringLiteral("prefix/drive_c"));
        QVERIFY(QDir().mkpath(m_driveC + QStringLiteral("/Games/Doom")));
        // Names that Wine matches, or does not, without regard to case; and
        // names that differ only in case.
        for (const char *name : {"WinIdle", "été", "ıdle", "\u212Aelvin", "alpha", "Alpha"})
            QVERIFY(QDir(m_driveC).mkdir(QString::fromUtf8(name)));
        for (const char *name : {"/Games/read.me", "/Games/Read.me"})
            QVERIFY(QFile(m_driveC + QLatin1String(name)).open(QIODevice::WriteOnly));
        QVERIFY(QDir().mkpath(m_tmp.filePath(QStringLiteral("prefix/dosdevices"))));
        const QString devices = m_tmp.filePath(QStringLiteral("prefix/dosdevices/"));
        QVERIFY(QFile::link(QStringLiteral("../drive_c"), devices + QStringLiteral("c:")));
        QVERIFY(QFile::link(QStringLiteral("/"), devices + QStringLiteral("z:")));
        // A drive whose folder is gone is still a drive; its link is not followed.
        QVERIFY(QFile::link(QStringLiteral("../gone"), devices + QStringLiteral("d:")));
        // Raw devices and other entries of the folder are no drives.
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), devices + QStringLiteral("c::")));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), devices + QStringLiteral("com1")));
        m_map = DriveMap::fromWinePrefix(m_tmp.filePath(QStringLiteral("prefix")),
                                         QStringLiteral("/home/nobody"));
    }

    void drivesComeFromThePrefix()
    {
        QCOMPARE(m_map.drives().size(), 3);
        QCOMPARE(m_map.folderOf(QLatin1Char('C')), QDir::cleanPath(m_driveC));
        QCOMPARE(m_map.folderOf(QLatin1Char('d')), m_tmp.filePath(QStringLiteral("prefix/gone")));
        QCOMPARE(m_map.folderOf(QLatin1Char('z')), QStringLiteral("/"));
        QVERIFY(!m_map.folderOf(QLatin1Char('e')));
    }

    void withoutPrefixHomeIsCAndRootIsZ()
    {
        const DriveMap map = DriveMap::fromWinePrefix(m_tmp.filePath(QStringLiteral("none")),
                                                      QStringLiteral("/home/u"));
        QCOMPARE(map.folderOf(QLatin1Char('c')), QStringLiteral("/home/u"));
        QCOMPARE(map.folderOf(QLatin1Char('z')), QStringLiteral("/"));
        QCOMPARE(map.drives().size(), 2);
    }

    void toHost_data()
    {
        QTest::addColumn<QString>("dos");
        QTest::addColumn<QString>("below"); // under drive_c

        QTest::newRow("exact") << "c:\\Games\\Doom"
                               << "/Games/Doom";
        QTest::newRow("any case") << "C:\\GAMES\\doom"
                                  << "/Games/Doom";
        QTest::newRow("new name kept as typed") << "c:\\games\\New.BAT"
                                                << "/Games/New.BAT";
        QTest::newRow("root") << "c:\\"
                              << "";
        QTest::newRow("bare drive") << "c:"
                                    << "";
        QTest::newRow("doubled separators") << "c:\\\\games\\\\doom"
                                            << "/Games/Doom";
        QTest::newRow("forward slashes") << "c:/games/doom"
                                         << "/Games/Doom";
        QTest::newRow("dot and dot-dot") << "c:\\games\\.\\x\\..\\doom"
                                         << "/Games/Doom";
        QTest::newRow("dot-dot stops at the root") << "c:\\..\\..\\..\\etc"
                                                   << "/etc";
        // As Wine's cmd reaches them: ASCII folds by itself, and no other
        // letter has an ASCII letter for its other case.
        QTest::newRow("I is the capital of i") << "c:\\WINIDLE" << QStringLiteral("/WinIdle");
        QTest::newRow("É is the capital of é") << "c:\\ÉTÉ" << QStringLiteral("/été");
        QTest::newRow("I is not the capital of ı") << "c:\\IDLE" << QStringLiteral("/IDLE");
        QTest::newRow("the Kelvin sign is not K") << "c:\\KELVIN" << QStringLiteral("/KELVIN");
        QTest::newRow("exact among names alike in case") << "c:\\Alpha" << QStringLiteral("/Alpha");
    }

    // The same in every language: in Turkish, the C library takes ı, not i,
    // for the small I.
    void toHost()
    {
        QFETCH(QString, dos);
        QFETCH(QString, below);
        const QByteArray before = std::setlocale(LC_CTYPE, nullptr);
        QVERIFY2(std::setlocale(LC_CTYPE, "tr_TR.UTF-8") || !qEnvironmentVariableIsSet("CI"),
                 "tr_TR.UTF-8 is not generated (scripts/install-deps.sh --test does)");
        const auto inTurkish = m_map.toHost(dos);
        std::setlocale(LC_CTYPE, before.constData());
        for (const auto &host : {m_map.toHost(dos), inTurkish}) {
            QVERIFY2(host.ok(), qPrintable(host.error));
            QCOMPARE(host.path, QDir::cleanPath(m_driveC) + below);
        }
    }

    void unreachablePathsSayWhy_data()
    {
        QTest::addColumn<QString>("dos");
        QTest::addColumn<QString>("words");
        QTest::newRow("unc") << "\\\\server\\share\\x"
                             << "network";
        QTest::newRow("unmapped letter") << "q:\\games"
                                         << "q:";
        QTest::newRow("no letter") << "1:\\games"
                                   << "drive letter";
        // Wine picks one or the other by the order of the folder.
        QTest::newRow("folders alike in case") << "c:\\aLPHA\\x.bat"
                                               << "c:\\aLPHA could be c:\\Alpha or c:\\alpha";
        QTest::newRow("files alike in case") << "c:\\games\\READ.ME"
                                             << "c:\\Games\\Read.me or c:\\Games\\read.me";
    }

    void unreachablePathsSayWhy()
    {
        QFETCH(QString, dos);
        QFETCH(QString, words);
        const auto host = m_map.toHost(dos);
        QVERIFY(!host.ok());
        QVERIFY(host.path.isEmpty());
        QVERIFY2(host.error.contains(words), qPrintable(host.error));
    }

    void relativePathsFollowTheCurrentFolder()
    {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(m_driveC + QStringLiteral("/Games"));
        const auto host = m_map.toHost(QStringLiteral("Doom\\..\\x.bat"));
        const auto rooted = m_map.toHost(QStringLiteral("\\Games"));
        QDir::setCurrent(previous);
        QCOMPARE(host.path,
                 QFileInfo(m_driveC).canonicalFilePath() + QStringLiteral("/Games/x.bat"));
        QCOMPARE(rooted.path, QDir::cleanPath(m_driveC) + QStringLiteral("/Games"));
    }

    void toDosUsesTheLongestPrefix()
    {
        QCOMPARE(m_map.toDos(m_driveC + QStringLiteral("/Games/Doom")),
                 QStringLiteral("c:\\Games\\Doom"));
        QCOMPARE(m_map.toDos(m_driveC), QStringLiteral("c:\\"));
        QCOMPARE(m_map.toDos(QStringLiteral("/usr/bin")), QStringLiteral("z:\\usr\\bin"));
        QCOMPARE(m_map.toDos(QStringLiteral("/")), QStringLiteral("z:\\"));
        // The same folder reached through the prefix's symlink.
        QCOMPARE(m_map.toDos(m_tmp.filePath(QStringLiteral("prefix/dosdevices/c:/Games"))),
                 QStringLiteral("c:\\Games"));
    }

    void toDosOutsideEveryDrive()
    {
        const DriveMap onlyC({{QLatin1Char('c'), m_driveC}});
        QVERIFY(!onlyC.toDos(QStringLiteral("/usr")));
        QVERIFY(!onlyC.toDos(m_driveC + QStringLiteral("x"))); // a sibling, not below
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QStringLiteral("/"));
        QCOMPARE(onlyC.currentDosFolder(), QStringLiteral("c:\\"));
        // A drive reached through a link holds the current folder, which the
        // kernel gives with its links resolved, once the link is resolved.
        const QString link = m_tmp.filePath(QStringLiteral("linked"));
        QVERIFY(QFile::link(m_driveC, link));
        const DriveMap linked({{QLatin1Char('d'), link}});
        QDir::setCurrent(m_driveC + QStringLiteral("/Games"));
        QTRY_COMPARE(linked.currentDosFolder(), QStringLiteral("d:\\Games"));
        QDir::setCurrent(previous);
    }
};

QTEST_GUILESS_MAIN(TestDriveMap)
#include "tst_drivemap.moc"
