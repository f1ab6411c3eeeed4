#include "ui/programicon.h"

#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTest>

// The icon as a title bar or a tray draws it at 32 pixels: at normal scale
// the 16-colour image itself, on a scaled screen an image of as many device
// pixels as the scale asks for, not the small one stretched.
class TestProgramIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sharpAtEveryScale_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("1.5x") << 1.5;
        QTest::newRow("2x") << 2.0;
        QTest::newRow("4x") << 4.0;
    }
    void sharpAtEveryScale()
    {
        QFETCH(qreal, scale);
        const QImage image = programIcon().pixmap(QSize(32, 32), scale).toImage();
        QCOMPARE(image.size(), QSize(32, 32) * scale);
        if (scale > 1)
            return;
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
    }
};

QTEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
