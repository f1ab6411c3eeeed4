#include "core/wildcardpattern.h"

#include <QTest>

class TestWildcardPattern : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matches_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");

        QTest::newRow("empty pattern lists everything") << ""
                                                        << "setup.exe" << true;
        QTest::newRow("star alone") << "*"
                                    << "readme" << true;
        QTest::newRow("star matches nothing too") << "a*"
                                                  << "a" << true;

        QTest::newRow("extension") << "*.exe"
                                   << "setup.exe" << true;
        QTest::newRow("extension, other case") << "*.EXE"
                                               << "setup.exe" << true;
        QTest::newRow("extension, name in capitals") << "*.exe"
                                                     << "SETUP.EXE" << true;
        QTest::newRow("extension only in the middle") << "*.exe"
                                                      << "setup.exe.bak" << false;
        QTest::newRow("extension without its dot") << "*.exe"
                                                   << "setupexe" << false;
        QTest::newRow("longer extension") << "*.exe"
                                          << "setup.exe2" << false;

        QTest::newRow("question mark is one character") << "a?c"
                                                        << "abc" << true;
        QTest::newRow("question mark is not none") << "a?c"
                                                   << "ac" << false;
        QTest::newRow("question mark is not two") << "a?c"
                                                  << "abbc" << false;
        QTest::newRow("question marks and a star") << "s*p.e?e"
                                                   << "Setup.exe" << true;
        QTest::newRow("star after question mark needs one") << "?*"
                                                            << "" << false;

        QTest::newRow("star backtracks") << "*a*b"
                                         << "xaxxb" << true;
        QTest::newRow("star backtracks, no match") << "*a*b"
                                                   << "xaxxbc" << false;
        QTest::newRow("several stars") << "*se*up*"
                                       << "mysetup.exe" << true;

        QTest::newRow("no wildcard: same name") << "setup.exe"
                                                << "setup.exe" << true;
        QTest::newRow("no wildcard: other case") << "setup.exe"
                                                 << "Setup.EXE" << true;
        QTest::newRow("no wildcard: longer name") << "setup.exe"
                                                  << "setup.exe2" << false;
        QTest::newRow("no wildcard: prefix typed so far") << "setu"
                                                          << "setup.exe" << false;
        QTest::newRow("no wildcard: ends the same") << "setup.exe"
                                                    << "xsetup.exe" << false;

        QTest::newRow("star dot star lists names without a dot") << "*.*"
                                                                 << "readme" << true;
        QTest::newRow("star dot star lists dotted names") << "*.*"
                                                          << "a.b.c" << true;
        QTest::newRow("name dot star, no extension") << "readme.*"
                                                     << "README" << true;
        QTest::newRow("name dot star, an extension") << "readme.*"
                                                     << "readme.txt" << true;
        QTest::newRow("name dot star, other name") << "readme.*"
                                                   << "readmes" << false;
        QTest::newRow("trailing dot: no extension") << "*."
                                                    << "readme" << true;
        QTest::newRow("trailing dot: an extension") << "*."
                                                    << "readme.txt" << false;
        QTest::newRow("dot is no wildcard") << "a.c"
                                            << "abc" << false;

        QTest::newRow("letters beyond ASCII") << "Ä*.EXE"
                                              << "äpfel.exe" << true;
        QTest::newRow("spaces are characters") << "my *"
                                               << "my game.exe" << true;
        QTest::newRow("brackets are characters") << "[a].exe"
                                                 << "a.exe" << false;
    }

    void matches()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, expected);
        const WildcardPattern compiled(pattern);
        QCOMPARE(compiled.matches(name), expected);
        QCOMPARE(compiled.matchesFolded(WildcardPattern::fold(name)), expected);
    }
};

QTEST_GUILESS_MAIN(TestWildcardPattern)
#include "tst_wildcardpattern.moc"
