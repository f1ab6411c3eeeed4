#include "dospath.h"

#include <algorithm>

namespace DosPath {

QString join(QChar drive, const QStringList &names)
{
    return QString(drive) + QStringLiteral(":\\") + names.join(QLatin1Char('\\'));
}

namespace {

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

} // namespace

QString lastPart(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString folderPart(const QString &path)
{
    const qsizetype separator = lastSeparator(path);
    return separator < 0 ? QString() : path.left(separator);
}

} // namespace DosPath
