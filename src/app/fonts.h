#pragma once

#include <QFont>

// The designs ask for MS Sans Serif; the nearest faces of a Linux desktop
// stand in for it at the same point sizes.
inline QFont designFont(qreal pointSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
