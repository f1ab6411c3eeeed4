#include "dospath.h"

namespace DosPath {

QString join(QChar drive, const QStringList &names)
{
    return QString(drive) + QStringLiteral(":\\") + names.join(QLatin1Char('\\'));
}

} // namespace DosPath
