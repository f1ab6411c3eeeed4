#include "core/batchfile.h"
#include "core/batchfilesaver.h"
#include "core/codepage.h"
#include "core/drivemap.h"
#include "core/programfile.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using Steps = std::array<QString, BatchFile::stepCount>;
Q_DECLARE_METATYPE(Steps)

namespace {

const QByteArray header = QByteArrayLiteral("@echo off\r\n"
                                            "rem This batch file was created using Tolvane!\r\n"
                                            "rem You can get your own copy at tolvane.org\r\n");

Steps steps(const char *drive, const char *directory, const char *exe, const char *name)
{
    return {QString::fromUtf8(drive), QString::fromUtf8(directory), QString::fromUtf8(exe),
            QString::fromUtf8(name)};
}

CodePage page(int number)
{
    return CodePage::fromNumber(number).value();
}

void refusalColumns()
{
    QTest::addColumn<Steps>("answers");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("named"); // must appear in the message
}

void verifyRefused(ProgramKind kind)
{
    QFETCH(Steps, answers);
    QFETCH(int, step);
    QFETCH(int, position);
    QFETCH(int, length);
    QFETCH(QString, named);
    const BatchFile batch(answers, page(437), kind);
    const auto refusal = batch.check();
    QVERIFY(refusal);
    QCOMPARE(refusal->step, step);
    QCOMPARE(refusal->position, position);
    QCOMPARE(refusal->length, length);
    QVERIFY2(refusal->message.contains(QStringLiteral("Step %1").arg(step)),
             qPrintable(refusal->message));
    QVERIFY2(refusal->message.contains(named), qPrintable(refusal->message));
    QVERIFY(!batch.bytes());
}

// The first bytes of an MZ executable whose newer header, at `at`, starts
// with `signature`.
QByteArray executable(QByteArray signature, quint32 at = 0x40)
{
    QByteArray bytes = "MZ" + QByteArray(0x3E, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[0x3C + i] = char(at >> (8 * i));
    return bytes + signature;
}

} // namespace

class TestBatchFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesSevenLines_data()
    {
        QTest::addColumn<Steps>("answers");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("lines4to6");
        QTest::addColumn<int>("page");

        QTest::newRow("example") << steps("c:", "c:\\windows", "notepad.exe", "notepad.bat")
                                 << "c:\\windows\\notepad.bat"
                                 << QByteArray("c:\r\ncd c:\\windows\r\nnotepad.exe\r\n") << 437;
        QTest::newRow("blanks kept, but around the drive")
            << steps(" c:\t", "c:\\my dir ", "  a.exe ", " b.bat") << "c:\\my dir \\ b.bat"
            << QByteArray("c:\r\ncd c:\\my dir \r\n  a.exe \r\n") << 437;
        QTest::newRow("root folder")
            << steps("c:", "c:\\", "notepad.exe", "notepad.bat") << "c:\\\\notepad.bat"
            << QByteArray("c:\r\ncd c:\\\r\nnotepad.exe\r\n") << 437;
        QTest::newRow("no extension")
            << steps("c:", "c:\\windows", "notepad.exe", "notepad") << "c:\\windows\\notepad"
            << QByteArray("c:\r\ncd c:\\windows\r\nnotepad.exe\r\n") << 437;
        QTest::newRow("parameters")
            << steps("c:", "c:\\wp", "wp.exe /f c:\\a b.txt", "wp.bat") << "c:\\wp\\wp.bat"
            << QByteArray("c:\r\ncd c:\\wp\r\nwp.exe /f c:\\a b.txt\r\n") << 437;
        QTest::newRow("drive letters in other cases")
            << steps("C:", "c:/games", "doom.exe", "doom.bat") << "c:/games\\doom.bat"
            << QByteArray("C:\r\ncd c:/games\r\ndoom.exe\r\n") << 437;
        QTest::newRow("accented") << steps("c:", "c:\\Café", "Ünï.exe", "Ä.bat")
                                  << "c:\\Café\\Ä.bat"
                                  << QByteArray("c:\r\ncd c:\\Caf\x82\r\n\x9An\x8B.exe\r\n") << 437;
        QTest::newRow("euro and quotes in a page that holds them")
            << steps("c:", "c:\\x", "pay.exe “5€”", "p.bat") << "c:\\x\\p.bat"
            << QByteArray("c:\r\ncd c:\\x\r\npay.exe \x93"
                          "5\x80\x94\r\n")
            << 1252;
        QTest::newRow("850 holds Ê")
            << steps("c:", "c:\\Ê ß½", "Ä.exe", "Ê.bat") << "c:\\Ê ß½\\Ê.bat"
            << QByteArray("c:\r\ncd c:\\\xD2 \xE1\xAB\r\n\x8E.exe\r\n") << 850;
        QTest::newRow("Cyrillic in 866")
            << steps("c:", "c:\\Жук", "я.exe", "я.bat") << "c:\\Жук\\я.bat"
            << QByteArray("c:\r\ncd c:\\\x86\xE3\xAA\r\n\xEF.exe\r\n") << 866;
        QTest::newRow("two bytes a character in 932")
            << steps("c:", "c:\\日本", "あ.exe", "a.bat") << "c:\\日本\\a.bat"
            << QByteArray("c:\r\ncd c:\\\x93\xFA\x96\x7B\r\n\x82\xA0.exe\r\n") << 932;
        QTest::newRow("folder with & in quotes")
            << steps("c:", "c:\\Tom & Jerry", "a.exe", "t.bat") << "c:\\Tom & Jerry\\t.bat"
            << QByteArray("c:\r\ncd \"c:\\Tom & Jerry\"\r\na.exe\r\n") << 437;
        QTest::newRow("folder with % doubled")
            << steps("c:", "c:\\100% ^x&", "a.exe", "t.bat") << "c:\\100% ^x&\\t.bat"
            << QByteArray("c:\r\ncd \"c:\\100%% ^x&\"\r\na.exe\r\n") << 437;
        QTest::newRow("step 3 as typed")
            << steps("c:", "c:\\x", "\"my app.exe\" %1 & echo ^^", "t.bat") << "c:\\x\\t.bat"
            << QByteArray("c:\r\ncd c:\\x\r\n\"my app.exe\" %1 & echo ^^\r\n") << 437;
        const QString folder259 = u"c:\\"_s + QString(250, u'd');
        QTest::newRow("path of 259 characters")
            << Steps{u"c:"_s, folder259, u"a.exe"_s, u"a.bat"_s} << folder259 + u"\\a.bat"_s
            << "c:\r\ncd " + folder259.toLatin1() + "\r\na.exe\r\n"
            << 437;
        QTest::newRow("tab") << steps("c:", "c:\\x", "a.exe\tb", "t.bat") << "c:\\x\\t.bat"
                             << QByteArray("c:\r\ncd c:\\x\r\na.exe\tb\r\n") << 437;
    }

    void writesSevenLines()
    {
        QFETCH(Steps, answers);
        QFETCH(QString, target);
        QFETCH(QByteArray, lines4to6);
        QFETCH(int, page);
        const BatchFile batch(answers, ::page(page));
        QVERIFY(!batch.check());
        QCOMPARE(batch.targetPath(), target);
        QCOMPARE(batch.lines().size(), 7);
        QCOMPARE(batch.bytes().value_or(QByteArray()), header + lines4to6 + "exit\r\n");
    }

    void firstEmptyStepIsRefused_data()
    {
        QTest::addColumn<Steps>("answers");
        QTest::addColumn<int>("step");

        QTest::newRow("all empty") << steps("", "", "", "") << 1;
        QTest::newRow("step 2") << steps("c:", "", "", "x.bat") << 2;
        QTest::newRow("step 3") << steps("c:", "c:\\", "", "") << 3;
        QTest::newRow("step 4") << steps("c:", "c:\\", "a.exe", "") << 4;
        // Emptiness is reported before any character of an earlier step.
        QTest::newRow("empty before bad") << steps("c:\n", "c:\\", "a.exe", "") << 4;
    }

    void firstEmptyStepIsRefused()
    {
        QFETCH(Steps, answers);
        QFETCH(int, step);
        const auto refusal = BatchFile(answers).check();
        QVERIFY(refusal);
        QCOMPARE(refusal->step, step);
        QCOMPARE(refusal->message, QStringLiteral("Please enter a response for Step %1").arg(step));
        QVERIFY(!BatchFile(answers).bytes());
    }

    void characterIsRefused_data()
    {
        refusalColumns();

        QTest::newRow("line feed")
            << steps("c:", "c:\\", "a.exe\nb", "a.bat") << 3 << 5 << 1 << "line break";
        QTest::newRow("carriage return")
            << steps("c:\r", "c:\\", "a.exe", "a.bat") << 1 << 2 << 1 << "line break";
        QTest::newRow("line separator")
            << steps("c:", "c:\\", "a.exe", "a\u2028.bat") << 4 << 1 << 1 << "line break";
        QTest::newRow("arrow") << steps("c:", "c:\\a\u2192b", "a.exe", "a.bat") << 2 << 4 << 1
                               << "\"\u2192\" (U+2192)";
        QTest::newRow("emoji") << steps("c:", "c:\\", "a.exe", "x\U0001F600.bat") << 4 << 1 << 2
                               << "\"\U0001F600\" (U+1F600)";
        QTest::newRow("unassigned byte")
            << steps("c:", "c:\\", "a\u0081.exe", "a.bat") << 3 << 1 << 1 << "U+0081";
        QTest::newRow("not in 437") << steps("c:", "c:\\", "Ê.exe", "a.bat") << 3 << 0 << 1
                                    << "\"Ê\" (U+00CA), which the batch file's character set, "
                                       "code page 437,";
        QTest::newRow("DEL") << steps("c:", "c:\\a\x7f", "a.exe", "a.bat") << 2 << 4 << 1
                             << "control character U+007F";
        QTest::newRow("caret ends step 1")
            << steps("c:^", "c:\\", "a.exe", "a.bat") << 1 << 2 << 1 << "ends in a caret";
        QTest::newRow("three carets end step 3")
            << steps("c:", "c:\\", "echo ^^^", "a.bat") << 3 << 7 << 1 << "ends in a caret";
        QTest::newRow("caret ends step 2")
            << steps("c:", "c:\\a^", "a.exe", "a.bat") << 2 << 4 << 1 << "ends in a caret";
        QTest::newRow("name ends in a blank") << steps("c:", "c:\\", "a.exe", "trail.bat ") << 4
                                              << 9 << 1 << "ends in a blank or a dot";
        QTest::newRow("name ends in a dot") << steps("c:", "c:\\", "a.exe", "sub\\dot.bat.") << 4
                                            << 11 << 1 << "ends in a blank or a dot";
        QTest::newRow("name of dots only")
            << steps("c:", "c:\\", "a.exe", "...") << 4 << 0 << 3 << "only of blanks and dots";
        QTest::newRow("name of blanks only")
            << steps("c:", "c:\\", "a.exe", "  ") << 4 << 0 << 2 << "only of blanks and dots";
        QTest::newRow("path of 260 characters")
            << Steps{u"c:"_s, u"c:\\"_s + QString(251, u'd'), u"a.exe"_s, u"a.bat"_s} << 2 << 0
            << 254 << "260 characters long";
        Steps withNul = steps("c:", "c:\\", "a", "a.bat");
        withNul[2].prepend(QChar(0));
        QTest::newRow("NUL") << withNul << 3 << 0 << 1 << "control character U+0000";

        // Steps that make no sense together: the file could not work.
        for (const char *drive : {"c", "c:\\", "hello world", "  ", "cd:", "\u00E7:"})
            QTest::addRow("step 1 %s", drive)
                << steps(drive, "c:\\", "a.exe", "a.bat") << 1 << 0
                << int(QString::fromUtf8(drive).size()) << "Step 1 is not a drive";
        QTest::newRow("other drive") << steps("d:", "c:\\games", "doom.exe", "doom.bat") << 2 << 0
                                     << 2 << "Step 2 is on drive c:, but step 1 is drive d:";
        QTest::newRow("relative folder")
            << steps("c:", "games", "a.exe", "a.bat") << 2 << 0 << 5 << "not the whole path";
        QTest::newRow("network path")
            << steps("c:", "\\\\server\\share", "a.exe", "a.bat") << 2 << 0 << 2 << "network paths";
        for (const char *c : {"*", "?", "<", ">", "|", "\"", ":"})
            QTest::addRow("%s in the folder", c)
                << steps("c:", "c:\\a" + QByteArray(c) + 'b', "a.exe", "a.bat") << 2 << 4 << 1
                << QStringLiteral("\"%1\", which a folder name").arg(QLatin1String(c));
    }

    void characterIsRefused() { verifyRefused(ProgramKind::Windows); }

    // For a DOS program every name of the file must be one DOS can type.
    void dosNameIsRefused_data()
    {
        refusalColumns();
        QTest::newRow("blank in a folder")
            << steps("c:", "c:\\GAMES\\Tom Jerry", "A.EXE", "A.BAT") << 2 << 9 << 9
            << "\"Tom Jerry\", which DOS cannot use: it holds a blank";
        QTest::newRow("nine letters") << steps("c:", "c:\\PROGRAMS9", "A.EXE", "A.BAT") << 2 << 3
                                      << 9 << "more than 8 characters. ";
        QTest::newRow("UTF-8 letter") << steps("c:", "c:\\CAF\u00C9", "A.EXE", "A.BAT") << 2 << 3
                                      << 4 << "\"\u00C9\" (U+00C9), which is not plain ASCII. ";
        QTest::newRow("plus in the program")
            << steps("c:", "c:\\", "C++.EXE", "A.BAT") << 3 << 0 << 7 << "the character \"+\"";
        QTest::newRow("quoted program")
            << steps("c:", "c:\\", "\"GAME.EXE\" /x", "A.BAT") << 3 << 0 << 1 << "in quotes";
        QTest::newRow("long extension") << steps("c:", "c:\\", "A.EXE", "GAME.BATX") << 4 << 0 << 9
                                        << "more than 3 characters after the dot";
    }

    void dosNameIsRefused() { verifyRefused(ProgramKind::Dos); }

    // Which interpreter the file is for, by what the program's file holds.
    void programKind_data()
    {
        QTest::addColumn<QString>("files");    // in c:\, each holding `bytes`
        QTest::addColumn<QByteArray>("bytes"); // "<pipe>": the files are named pipes
        QTest::addColumn<QString>("command");  // step 3
        QTest::addColumn<QString>("found");    // "DOS" or "Windows"; empty: no file, Windows
        struct Row
        {
            const char *tag, *files;
            QByteArray bytes;
            const char *command, *found;
        };
        const QByteArray com = "\xB8\x00\x4C\xCD\x21", pe = executable("PE\0\0"_ba);
        for (const auto &[tag, files, bytes, command, found] : {
                 Row{"COM before EXE before BAT", "Go.com GO.EXE go.bat", com, "Go /x", "DOS"},
                 Row{"MZ stub", "GAME.EXE", executable("", 0), "game.exe", "DOS"},
                 Row{"PE", "GAME.EXE", pe, "game", "Windows"},
                 Row{"NE", "GAME.EXE", executable("NE\x05"), "GAME", "Windows"},
                 Row{"LE of a DOS extender", "GAME.EXE", executable("LE\0\0"_ba), "GAME", "DOS"},
                 Row{"PE header beyond the end", "GAME.EXE", executable("", 0x1000), "GAME", "DOS"},
                 Row{"PE named .com", "X.COM", pe, "x", "Windows"},
                 Row{"not there", "GAME.EXE", com, "other.exe", ""},
                 Row{"named pipe, never opened", "P.COM", "<pipe>", "P", ""},
             })
            QTest::newRow(tag) << QString::fromLatin1(files) << bytes
                               << QString::fromLatin1(command) << QString::fromLatin1(found);
    }

    void programKind()
    {
        QFETCH(QString, files);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, command);
        QFETCH(QString, found);
        QTemporaryDir drive;
        for (const QString &name : files.split(u' ')) {
            QFile file(drive.filePath(name));
            if (bytes == "<pipe>")
                QCOMPARE(mkfifo(QFile::encodeName(file.fileName()).constData(), 0600), 0);
            else
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        const ProgramFile program(DriveMap({{QLatin1Char('c'), drive.path()}}), u"c:\\"_s, command);
        // The first file is the one step 3 names.
        QCOMPARE(program.hostPath(),
                 found.isEmpty() ? QString() : drive.filePath(files.section(u' ', 0, 0)));
        QCOMPARE(program.kind(), found == u"DOS"_s ? ProgramKind::Dos : ProgramKind::Windows);
    }

    // What a page holds comes back unchanged; what it lacks is refused, not
    // replaced by the substitute byte ICU would write.
    void codePageHolds_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("character");
        QTest::addColumn<QByteArray>("bytes"); // empty: the page lacks it

        struct Row
        {
            int page;
            const char *character;
            QByteArray bytes;
        };
        // U+2302 is drawn at 0x7F, which ICU gives to a control character; at
        // 0xE6 ICU's 437 has the Greek mu, Windows's the micro sign; in 932
        // ICU's substitute is two bytes.
        for (const auto &[page, character, bytes] : {
                 Row{437, "é", "\x82"},  Row{437, "½", "\xAB"},  Row{437, "Ê", {}},
                 Row{437, "€", {}},      Row{437, "\u2302", {}}, Row{437, "µ", "\xE6"},
                 Row{437, "\u03BC", {}}, Row{852, "¬", "\xAA"},  Row{850, "Ê", "\xD2"},
                 Row{850, "¹", "\xFB"},  Row{852, "ł", "\x88"},  Row{857, "ğ", "\xA7"},
                 Row{866, "Ж", "\x86"},  Row{737, "Ω", "\x97"},  Row{862, "א", "\x80"},
                 Row{720, "ع", "\xE3"},  Row{775, "ą", "\xD0"},  Row{932, "あ", "\x82\xA0"},
                 Row{932, "€", {}},      Row{1252, "€", "\x80"},
             })
            QTest::addRow("%d %s", page, character)
                << page << QString::fromUtf8(character) << bytes;
    }

    void codePageHolds()
    {
        QFETCH(int, page);
        QFETCH(QString, character);
        QFETCH(QByteArray, bytes);
        CodePage::Encoder encoder(::page(page));
        QCOMPARE(encoder.encode(character).value_or(QByteArray()), bytes);
        QCOMPARE(encoder.encode(QStringLiteral("a") + character).has_value(), !bytes.isEmpty());
        if (!bytes.isEmpty())
            QCOMPARE(::page(page).decode(bytes), character);
    }

    // Of the 123 letters and signs Windows-1252 adds to ASCII, code page 437
    // holds 54; Wine's cmd reaches a folder for exactly those.
    void page437HoldsWhatWineReads()
    {
        QStringDecoder windows1252("windows-1252", QStringConverter::Flag::Stateless);
        CodePage::Encoder encoder(page(437));
        int held = 0;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const QString character = windows1252.decode(QByteArray(1, char(byte)));
            held += encoder.encode(character).has_value() && character.front().unicode() > 0x9F;
        }
        QCOMPARE(held, 54);
    }

    void pageNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("page"); // 0: not a page to write batch files in

        QTest::newRow("437") << "437" << 437;
        QTest::newRow("blanks around") << " 850 " << 850;
        QTest::newRow("Windows page") << "1252" << 1252;
        QTest::newRow("double-byte page") << "932" << 932;
        QTest::newRow("EBCDIC: ASCII elsewhere") << "37" << 0;
        QTest::newRow("UTF-8") << "65001" << 65001;
        QTest::newRow("UTF-7: + is no plus") << "65000" << 0;
        QTest::newRow("unknown") << "99999" << 0;
        QTest::newRow("negative") << "-437" << 0;
        QTest::newRow("no number") << "IBM850" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    void pageNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, page);
        QCOMPARE(CodePage::fromText(text).value_or(::page(437)).number(), page ? page : 437);
        QCOMPARE(CodePage::fromText(text).has_value(), page != 0);
    }

    // Checked against Wine's cmd, which reads a batch file's bytes in this page.
    void localePages_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("page");

        for (const char *locale : {"C", "POSIX", "C.UTF-8", "en_US.UTF-8", "en", "xx_YY.UTF-8"})
            QTest::newRow(locale) << locale << 437;
        for (const char *locale : {"en_GB.UTF-8", "de_DE.UTF-8", "de", "fr_FR.UTF-8", "fr_CA.UTF-8",
                                   "pt_BR.UTF-8", "is_IS.UTF-8", "de_DE@euro"})
            QTest::newRow(locale) << locale << 850;
        // Seen in Wine: kk reads UTF-8 there, and sr_RS is a locale Wine does not know.
        for (const auto &[locale, page] : {std::pair{"tr_TR.UTF-8", 857},
                                           {"ru_RU.UTF-8", 866},
                                           {"pl_PL.UTF-8", 852},
                                           {"el_GR.UTF-8", 737},
                                           {"he_IL.UTF-8", 862},
                                           {"ar_EG.UTF-8", 720},
                                           {"lt_LT.UTF-8", 775},
                                           {"ja_JP.UTF-8", 932},
                                           {"zh_TW.UTF-8", 950},
                                           {"zh_SG.UTF-8", 936},
                                           {"kk_KZ.UTF-8", 65001},
                                           {"sr_RS.UTF-8", 437}})
            QTest::newRow(locale) << locale << page;
    }

    void localePages()
    {
        QFETCH(QString, locale);
        QFETCH(int, page);
        QCOMPARE(CodePage::numberForLocale(locale.toLatin1()), page);
        QVERIFY(CodePage::fromNumber(page));
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("valid");

        QTest::newRow("plain") << "c:\\x\\notepad.bat" << true;
        QTest::newRow("like a device") << "c:\\x\\console.bat" << true;
        QTest::newRow("blanks") << "c:\\x\\ my file .bat " << true;
        QTest::newRow("device") << "c:\\x\\con" << false;
        QTest::newRow("device with extension") << "c:\\x\\Lpt1.bat" << false;
        QTest::newRow("question mark") << "c:\\x\\a?.bat" << false;
        QTest::newRow("colon") << "c:\\x\\d:a.bat" << false;
        QTest::newRow("no name") << "c:\\x\\sub\\" << false;
        QTest::newRow("CONIN$") << "c:\\x\\conin$.bat" << false;
        QTest::newRow("CONOUT$") << "c:\\x\\CONOUT$" << false;
        QTest::newRow("COM with superscript one") << "c:\\x\\Com¹.txt" << false;
        QTest::newRow("LPT with superscript three") << "c:\\x\\lpt³" << false;
        QTest::newRow("LPT with superscript four") << "c:\\x\\lpt⁴" << true;
        QTest::newRow("200 letters, 400 bytes") << u"c:\\x\\"_s + QString(200, u'é') << false;
    }

    void fileNames()
    {
        QFETCH(QString, target);
        QFETCH(bool, valid);
        QCOMPARE(!BatchFileSaver::nameProblem(target), valid);
    }
};

QTEST_GUILESS_MAIN(TestBatchFile)
#include "tst_batchfile.moc"
