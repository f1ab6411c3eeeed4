#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Paths in the form DOS and Windows write them.
namespace DosPath {

// c:\ for the root of a drive, c:\games\doom below it.
QString join(QChar drive, const QStringList &names);

// The last part of a path as typed, after its last backslash or slash (the
// whole path when it has none), and the folder part before that separator.
QString lastPart(const QString &path);
QString folderPart(const QString &path);

} // namespace DosPath
