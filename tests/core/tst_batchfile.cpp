#include "core/batchfile.h"
#include "core/batchfilesaver.h"
#include "core/windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

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

        QTest::newRow("example") << steps("c:", "c:\\windows", "notepad.exe", "notepad.bat")
                                 << "c:\\windows\\notepad.bat"
                                 << QByteArray("c:\r\ncd c:\\windows\r\nnotepad.exe\r\n");
        QTest::newRow("blanks kept")
            << steps(" ", " c:\\my dir ", "  a.exe ", " b.bat ") << " c:\\my dir \\ b.bat "
            << QByteArray(" \r\ncd  c:\\my dir \r\n  a.exe \r\n");
        QTest::newRow("root folder")
            << steps("c:", "c:\\", "notepad.exe", "notepad.bat") << "c:\\\\notepad.bat"
            << QByteArray("c:\r\ncd c:\\\r\nnotepad.exe\r\n");
        QTest::newRow("no extension")
            << steps("c:", "c:\\windows", "notepad.exe", "notepad") << "c:\\windows\\notepad"
            << QByteArray("c:\r\ncd c:\\windows\r\nnotepad.exe\r\n");
        QTest::newRow("parameters")
            << steps("c:", "c:\\wp", "wp.exe /f c:\\a b.txt", "wp.bat") << "c:\\wp\\wp.bat"
            << QByteArray("c:\r\ncd c:\\wp\r\nwp.exe /f c:\\a b.txt\r\n");
        QTest::newRow("other drive")
            << steps("d:", "c:\\games", "doom.exe", "doom.bat") << "c:\\games\\doom.bat"
            << QByteArray("d:\r\ncd c:\\games\r\ndoom.exe\r\n");
        QTest::newRow("accented") << steps("c:", "c:\\Café", "Ünï.exe", "Ä.bat")
                                  << "c:\\Café\\Ä.bat"
                                  << QByteArray("c:\r\ncd c:\\Caf\xE9\r\n\xDCn\xEF.exe\r\n");
        QTest::newRow("euro and quotes")
            << steps("c:", "c:\\x", "pay.exe “5€”", "p.bat") << "c:\\x\\p.bat"
            << QByteArray("c:\r\ncd c:\\x\r\npay.exe \x93"
                          "5\x80\x94\r\n");
        QTest::newRow("tab") << steps("c:", "c:\\x", "a.exe\tb", "t.bat") << "c:\\x\\t.bat"
                             << QByteArray("c:\r\ncd c:\\x\r\na.exe\tb\r\n");
    }

    void writesSevenLines()
    {
        QFETCH(Steps, answers);
        QFETCH(QString, target);
        QFETCH(QByteArray, lines4to6);
        const BatchFile batch(answers);
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
        QTest::addColumn<Steps>("answers");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("named"); // must appear in the message

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
        Steps withNul = steps("c:", "c:\\", "a", "a.bat");
        withNul[2].prepend(QChar(0));
        QTest::newRow("NUL") << withNul << 3 << 0 << 1 << "control character U+0000";
    }

    void characterIsRefused()
    {
        QFETCH(Steps, answers);
        QFETCH(int, step);
        QFETCH(int, position);
        QFETCH(int, length);
        QFETCH(QString, named);
        const auto refusal = BatchFile(answers).check();
        QVERIFY(refusal);
        QCOMPARE(refusal->step, step);
        QCOMPARE(refusal->position, position);
        QCOMPARE(refusal->length, length);
        QVERIFY2(refusal->message.contains(QStringLiteral("Step %1").arg(step)),
                 qPrintable(refusal->message));
        QVERIFY2(refusal->message.contains(named), qPrintable(refusal->message));
        QVERIFY(!BatchFile(answers).bytes());
    }

    // ICU's converter is an independent witness of the code page table.
    void encoderAgreesWithIcu()
    {
        QStringEncoder icu("windows-1252", QStringConverter::Flag::Stateless);
        QStringDecoder icuDecoder("windows-1252", QStringConverter::Flag::Stateless);
        if (!icu.isValid() || !icuDecoder.isValid())
            QSKIP("this Qt has no ICU to compare with");
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            const QString text{QChar(char16_t(c))};
            const QByteArray theirs = icu.encode(text);
            const auto ours = Windows1252::encode(c);
            if (ours) {
                QCOMPARE(QByteArray(1, *ours), theirs);
                QCOMPARE(Windows1252::decode(*ours).value_or(0), c);
            } else {
                // ICU maps the five unassigned bytes to C1 controls; every
                // other character we refuse, it cannot carry through either.
                const bool unassigned =
                    c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
                QVERIFY2(unassigned || icuDecoder.decode(theirs) != text,
                         qPrintable(QString::number(uint(c), 16)));
            }
        }
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
