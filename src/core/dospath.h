#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Paths in the form DOS and Windows write them.
namespace DosPath {

// c:\ for the root of a drive, c:\games\doom below it.
QString join(QChar drive, const QStringList &names);

} // namespace DosPath
