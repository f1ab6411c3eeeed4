#include "programicon.h"

// The 32x32 image at normal scale; the larger ones are drawn from the same
// picture for scaled screens, so a 2x title bar or tray gets a sharp icon
// instead of the small one blown up.
QIcon programIcon()
{
    QIcon icon;
    for (const char *file : {"tolvane.png", "tolvane-48.png", "tolvane-64.png", "tolvane-128.png"})
        icon.addFile(QStringLiteral(":/tolvane/") + QLatin1String(file));
    return icon;
}
