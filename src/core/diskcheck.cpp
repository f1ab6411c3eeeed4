#include "diskcheck.h"

#include "hostname.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

#include <sys/statvfs.h>

namespace {

std::optional<struct statvfs> diskOf(const QString &path)
{
    struct statvfs disk
    {
    };
    if (::statvfs(HostName::toBytes(path).constData(), &disk) != 0)
        return std::nullopt;
    return disk;
}

std::optional<struct statvfs> diskOf(int descriptor)
{
    struct statvfs disk
    {
    };
    if (::fstatvfs(descriptor, &disk) != 0)
        return std::nullopt;
    return disk;
}

bool readOnly(const std::optional<struct statvfs> &disk)
{
    return disk && (disk->f_flag & ST_RDONLY);
}

// Pseudo file systems report no size at all; they are not full.
bool full(const std::optional<struct statvfs> &disk, qint64 wanted)
{
    if (!disk || disk->f_blocks == 0)
        return false;
    const qint64 available = qint64(disk->f_bavail) * qint64(disk->f_frsize);
    return available < std::max<qint64>(wanted, qint64(disk->f_bsize)) ||
           (disk->f_files > 0 && disk->f_favail == 0);
}

} // namespace

namespace DiskCheck {

bool isReadOnlyDisk(const QString &path)
{
    return readOnly(diskOf(path));
}

bool isFullDisk(const QString &path, qint64 wanted)
{
    return full(diskOf(path), wanted);
}

bool isReadOnlyDisk(int descriptor)
{
    return readOnly(diskOf(descriptor));
}

bool isFullDisk(int descriptor, qint64 wanted)
{
    return full(diskOf(descriptor), wanted);
}

QString nearestExisting(const QString &path)
{
    QString existing = path;
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
        existing = QFileInfo(existing).path();
    return existing;
}

} // namespace DiskCheck
