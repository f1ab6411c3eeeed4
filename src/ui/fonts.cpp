#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {

// Chosen once: asking the font system to fall back from a family it lacks
// costs far more than looking the family up in the list of those it has.
QString &chosenFamily()
{
    static QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char *wanted : {"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"}) {
            if (installed.contains(QLatin1String(wanted), Qt::CaseInsensitive))
                return QString::fromLatin1(wanted);
        }
        return QFont().family();
    }();
    return family;
}

} // namespace

QFont windowFont(qreal pointSize, bool bold)
{
    QFont font(Fonts::windowFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

namespace Fonts {

QString windowFamily()
{
    return chosenFamily();
}

void chooseWindowFamily(const QString &family)
{
    chosenFamily() = family;
}

void avoidFixedPitchApplicationFont()
{
    const QFont desktop = QApplication::font();
    if (!QFontInfo(desktop).fixedPitch())
        return;
    QFont font(windowFamily());
    if (desktop.pointSizeF() > 0)
        font.setPointSizeF(desktop.pointSizeF());
    else
        font.setPixelSize(desktop.pixelSize());
    QApplication::setFont(font);
}

} // namespace Fonts
