#pragma once

#include <QFont>

// The designs ask for MS Sans Serif; the nearest face this desktop has stands
// in for it at the same point sizes.
QFont designFont(qreal pointSize, bool bold = false);
