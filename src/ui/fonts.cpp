#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// Chosen once: asking the font system to fall back from a family it lacks
// costs far more than looking the family up in the list of those it has.
QString designFamily()
{
    static const QString family = [] {
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

QFont designFont(qreal pointSize, bool bold)
{
    QFont font(designFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
