#pragma once

#include <QString>

// What the disk under a path says when something cannot be written there, so
// that a failure names its real cause.
namespace DiskCheck {

bool isReadOnlyDisk(const QString &path);
// Too little room for `wanted` bytes (at least a block), or no entry left.
bool isFullDisk(const QString &path, qint64 wanted = 1);
// The same for the disk of an open file or folder.
bool isReadOnlyDisk(int descriptor);
bool isFullDisk(int descriptor, qint64 wanted = 1);
// The path itself when it exists, else the nearest folder above it that does.
QString nearestExisting(const QString &path);

} // namespace DiskCheck
