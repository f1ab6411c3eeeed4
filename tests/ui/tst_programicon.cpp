#include "ui/programicon.h"

#include <QImage>
#include <QSet>
#include <QTest>

// At normal scale the 16-colour 32x32 image itself; on a 2x screen an image
// of 64 device pixels, not the small one stretched.
class TestProgramIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sharpAtEveryScale()
    {
        const QImage normal = programIcon().pixmap(QSize(32, 32), 1.0).toImage();
        QSet<QRgb> colours;
        for (int i = 0; i < 32 * 32; ++i)
            colours.insert(normal.pixel(i % 32, i / 32));
        QVERIFY(colours.size() <= 16);
        QCOMPARE(programIcon().pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
    }
};

QTEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
