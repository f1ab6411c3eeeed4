// The program's own message box: text from outside is shown as it is, never
// as markup, invisible format characters are written out, and the box stays
// on the screen however long the text.
#include "ui/messageboxwindow.h"
#include "ui/wrappinglabel.h"

#include <QPushButton>
#include <QScreen>
#include <QTest>

class TestMessageBoxWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textIsShownAsItIs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString path = QStringLiteral("c:\\") + QString(400, QLatin1Char('a'));
        QTest::newRow("image from a device")
            << u"c:\\<img src=/dev/zero>"_qs << u"c:\\<img src=/dev/zero>"_qs;
        QTest::newRow("bold") << u"<b>gone?</b>"_qs << u"<b>gone?</b>"_qs;
        QTest::newRow("link") << u"<a href=\"file:///bin/sh\">run</a>"_qs
                              << u"<a href=\"file:///bin/sh\">run</a>"_qs;
        QTest::newRow("right-to-left override")
            << u"Step 2: c:\\a\u202Etab.exe"_qs << u"Step 2: c:\\aU+202Etab.exe"_qs;
        QTest::newRow("tag character beyond the BMP")
            << QStringLiteral("x") + QString::fromUcs4(U"\U000E0041") << u"xU+E0041"_qs;
        QTest::newRow("visible accents stay") << u"c:\\Büro é"_qs << u"c:\\Büro é"_qs;
        QTest::newRow("long path without a blank") << path << path;
        QTest::newRow("100 KB path")
            << QStringLiteral("c:\\") + QString(100000, QLatin1Char('x')) << QString();
    }

    void textIsShownAsItIs()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        MessageBoxWindow box(QStyle::SP_MessageBoxCritical, text, QDialogButtonBox::Ok,
                             QDialogButtonBox::Ok);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.textLabel()->textFormat(), Qt::PlainText);
        const QString drawn = box.textLabel()->shownText(box.textLabel()->width());
        if (shown.isEmpty())
            QVERIFY(drawn.startsWith(text.left(20)) && drawn.endsWith(text.right(20)));
        else
            QCOMPARE(drawn, shown);
        const QRect screen = box.screen()->availableGeometry();
        QVERIFY2(box.frameGeometry().height() <= screen.height(),
                 qPrintable(QString::number(box.frameGeometry().height())));
        QVERIFY(box.frameGeometry().width() <= screen.width());
    }

    void returnTakesTheDefaultAndEscapeSaysNo_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(QDialogButtonBox::Yes);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialogButtonBox::No);
        QTest::newRow("N for No") << int(Qt::Key_N) << int(QDialogButtonBox::No);
    }

    void returnTakesTheDefaultAndEscapeSaysNo()
    {
        QFETCH(int, key);
        QFETCH(int, answer);
        MessageBoxWindow box(QStyle::SP_MessageBoxInformation, u"Another?"_qs,
                             QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClick(&box, Qt::Key(key));
        QTRY_VERIFY(!box.isVisible());
        QCOMPARE(int(box.answer()), answer);
    }
};

QTEST_MAIN(TestMessageBoxWindow)
#include "tst_messageboxwindow.moc"
