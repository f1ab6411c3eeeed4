// DriveMap resolving arbitrary DOS paths against a small tree of folders.
// Whatever the text: no crash; a path that names a drive resolves inside that
// drive's folder or says in words why it cannot; a resolved path reads back
// in DOS form and resolves to itself again.

#include "fuzzcheck.h"

#include "core/drivemap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

struct Tree
{
    QTemporaryDir dir;
    DriveMap map;

    Tree()
    {
        const QString c = dir.filePath(QStringLiteral("drive_c"));
        const QString d = dir.filePath(QStringLiteral("drive_d"));
        for (const char *folder : {"Games/Doom", "Program Files/App", "UPPER/lower", "a b.c/. x"})
            QDir().mkpath(c + QLatin1Char('/') + QLatin1String(folder));
        QDir().mkpath(d + QStringLiteral("/Data"));
        QFile(c + QStringLiteral("/Games/Doom/DOOM.EXE")).open(QIODevice::WriteOnly);
        // A link that leads out of the drive, and one that loops.
        QFile::link(QStringLiteral("/tmp"), c + QStringLiteral("/out"));
        QFile::link(QStringLiteral("loop"), c + QStringLiteral("/loop"));
        map = DriveMap({{QLatin1Char('c'), c},
                        {QLatin1Char('D'), d},
                        {QLatin1Char('z'), QStringLiteral("/")}});
    }
};

bool hasWord(const QString &text)
{
    for (const QChar c : text) {
        if (c.isLetter())
            return true;
    }
    return false;
}

bool inside(const QString &path, const QString &folder)
{
    if (folder == QStringLiteral("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Tree tree;
    const QString dos = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const DriveMap::HostPath host = tree.map.toHost(dos);
    tree.map.toDos(dos); // any text as a host path: only no crash

    if (!host.ok()) {
        if (!hasWord(host.error))
            fuzzFault("error",
                      QStringLiteral("\"%1\" gives the error \"%2\"").arg(dos, host.error));
        return 0;
    }
    if (host.path.isEmpty() || !host.path.startsWith(QLatin1Char('/')))
        fuzzFault("path", QStringLiteral("\"%1\" resolves to \"%2\"").arg(dos, host.path));

    const bool namesDrive = dos.size() >= 2 && dos.at(1) == QLatin1Char(':');
    if (!namesDrive)
        return 0;
    const auto folder = tree.map.folderOf(dos.at(0));
    if (!folder)
        fuzzFault("drive", QStringLiteral("\"%1\" resolved on an unmapped drive").arg(dos));
    if (!inside(host.path, *folder))
        fuzzFault(
            "inside",
            QStringLiteral("\"%1\" resolves to \"%2\", outside %3").arg(dos, host.path, *folder));

    const auto back = tree.map.toDos(host.path);
    if (!back)
        fuzzFault("back", QStringLiteral("\"%1\" -> \"%2\" has no DOS form").arg(dos, host.path));
    const DriveMap::HostPath again = tree.map.toHost(*back);
    if (!again.ok() || again.path != host.path)
        fuzzFault("again", QStringLiteral("\"%1\" -> \"%2\" -> \"%3\" -> \"%4\"")
                               .arg(dos, host.path, *back, again.ok() ? again.path : again.error));
    return 0;
}
