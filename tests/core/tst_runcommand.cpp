#include "testfiles.h"

#include "core/drivemap.h"
#include "core/runcommand.h"
#include "core/writtenbatchfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// What runs a batch file, and every reason it cannot, with stand-ins for
// wine and dosbox on the PATH.
class TestRunCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    DriveMap m_prefixDrives;
    DriveMap m_plainDrives;

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *tool :
             {"both/wine", "both/dosbox", "wine only/wine", "dosbox only/dosbox"})
            TestFiles::writeScript(m_tmp.filePath(QString::fromLatin1(tool)), "exit 0");
        const QString prefix = m_tmp.filePath(QStringLiteral("wine"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
        QVERIFY(QFile::link(QStringLiteral("/"), prefix + QStringLiteral("/dosdevices/c:")));
        m_prefixDrives = DriveMap::fromWinePrefix(prefix, QDir::homePath());
        m_plainDrives = DriveMap({{u'c', QStringLiteral("/x/Tom & Jerry's 100%")},
                                  {u'd', QStringLiteral("/x/say \"hi\"")},
                                  {u'z', QStringLiteral("/")}});
    }

    void forFile_data()
    {
        QTest::addColumn<bool>("dos");
        QTest::addColumn<QString>("dosPath");
        QTest::addColumn<bool>("inPrefix");
        QTest::addColumn<QString>("tools"); // the folder on the PATH
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem"); // how it starts

        const QString prefix = m_tmp.filePath(QStringLiteral("wine"));
        const QString folder = QStringLiteral("c:\\Tom & Jerry (1) ^ 100%\\");
        QTest::newRow("wine, folder with & ( ^ %")
            << false << folder + u"go.bat"_qs << true << "both"
            << QStringList{u"env"_qs, u"WINEPREFIX="_qs + prefix, u"wine"_qs, folder + u"go.bat"_qs}
            << "";
        QTest::newRow("wine, .CmD")
            << false << "c:\\GO.CmD" << true << "wine only"
            << QStringList{u"env"_qs, u"WINEPREFIX="_qs + prefix, u"wine"_qs, u"c:\\GO.CmD"_qs}
            << "";
        QTest::newRow("wine, .txt") << false << "c:\\go.txt" << true << "both" << QStringList()
                                    << "Wine runs a batch file only when its name ends in";
        QTest::newRow("wine, no prefix") << false << "c:\\go.bat" << false << "both"
                                         << QStringList() << "There is no Wine prefix";
        QTest::newRow("wine missing") << false << "c:\\go.bat" << true << "dosbox only"
                                      << QStringList() << "Wine is not installed; the Debian";

        QTest::newRow("dosbox, folder with blanks & ' %")
            << true << "C:\\GAMES\\GO%1.BAT" << false << "both"
            << QStringList{u"dosbox"_qs, u"-c"_qs, u"mount c \"/x/Tom & Jerry's 100%%\""_qs,
                           u"-c"_qs, u"C:\\GAMES\\GO%%1.BAT"_qs}
            << "";
        QTest::newRow("dosbox, .cmd") << true << "c:\\GO.CMD" << false << "both" << QStringList()
                                      << "DOSBox runs a batch file only when its name ends in .bat";
        QTest::newRow("dosbox, drive z") << true << "z:\\tmp\\GO.BAT" << false << "both"
                                         << QStringList() << "DOSBox keeps drive Z: for itself";
        QTest::newRow("dosbox, quote in folder")
            << true << "d:\\GO.BAT" << false << "both" << QStringList()
            << "DOSBox cannot mount the folder /x/say \"hi\" as drive d:";
        QTest::newRow("dosbox, no drive")
            << true << "\\GO.BAT" << false << "both" << QStringList() << "\\GO.BAT names no drive";
        QTest::newRow("dosbox missing") << true << "c:\\GO.BAT" << false << "wine only"
                                        << QStringList() << "DOSBox is not installed";
    }

    void forFile()
    {
        QFETCH(bool, dos);
        QFETCH(QString, dosPath);
        QFETCH(bool, inPrefix);
        QFETCH(QString, tools);
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        qputenv("PATH", QFile::encodeName(m_tmp.filePath(tools)));
        const WrittenBatchFile file{dosPath,
                                    QStringLiteral("/x/folder/go.bat"),
                                    dos ? ProgramKind::Dos : ProgramKind::Windows,
                                    {}};
        const RunCommand command =
            RunCommand::forFile(file, inPrefix ? m_prefixDrives : m_plainDrives);
        QCOMPARE(command.problem().left(problem.size()), problem);
        QCOMPARE(command.ok(), problem.isEmpty());
        QCOMPARE(command.arguments(), arguments);
        QCOMPARE(command.folder(), problem.isEmpty() ? QStringLiteral("/x/folder") : QString());
    }
};

QTEST_MAIN(TestRunCommand)
#include "tst_runcommand.moc"
