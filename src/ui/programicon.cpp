#include "programicon.h"

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/tolvane/tolvane.png"));
}
