#include "atomicfile.h"

#include "diskcheck.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

// What keeps anything from being written in a folder that exists.
std::optional<QString> AtomicFile::whyNotWritable(const QString &folder, qint64 wanted)
{
    if (DiskCheck::isReadOnlyDisk(folder))
        return tr("The disk holding %1 is read-only.").arg(folder);
    if (DiskCheck::isFullDisk(folder, wanted))
        return tr("The disk holding %1 is full.").arg(folder);
    if (!QFileInfo(folder).isWritable())
        return tr("You have no permission to write in the folder %1.").arg(folder);
    return std::nullopt;
}

std::optional<QString> AtomicFile::makeFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return std::nullopt;
    if (QDir().mkpath(folder))
        return std::nullopt;
    // The nearest part of the path that exists tells why.
    const QString existing = DiskCheck::nearestExisting(folder);
    if (!QFileInfo(existing).isDir())
        return tr("%1 is a file, not a folder.").arg(existing);
    if (auto problem = whyNotWritable(existing, 1))
        return problem;
    return tr("The folder %1 could not be made.").arg(folder);
}

std::optional<QString> AtomicFile::save(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo(path).isDir())
        return tr("%1 is a folder.").arg(path);
    // Qt 6.4's commit() takes a failed or short write for success, so the
    // write is checked in full before the file may take its place.
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                         file.flush() && file.error() == QFileDevice::NoError &&
                         file.size() == bytes.size();
    if (written && file.commit())
        return std::nullopt;
    const QString systemText = file.errorString();
    if (!written)
        file.cancelWriting();
    if (auto problem = whyNotWritable(QFileInfo(path).path(), bytes.size()))
        return problem;
    return tr("%1 could not be written: %2.").arg(path, systemText);
}
