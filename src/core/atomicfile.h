#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

// A file that appears whole or not at all: written beside its place and
// renamed over it, with every failure told by its real cause (a read-only or
// full disk, no permission, a file where a folder should be).
class AtomicFile
{
    Q_DECLARE_TR_FUNCTIONS(AtomicFile)

public:
    // Makes the folder and those above it as needed; nothing when it is
    // there, why not otherwise.
    static std::optional<QString> makeFolder(const QString &folder);
    static std::optional<QString> save(const QString &path, const QByteArray &bytes);

private:
    static std::optional<QString> whyNotWritable(const QString &folder, qint64 wanted);
};
