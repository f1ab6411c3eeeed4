#include "drivemap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DriveMap", text);
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

// The part of `path` below `folder`, or nothing when `folder` does not hold it.
std::optional<QString> below(const QString &folder, const QString &path)
{
    if (folder == QStringLiteral("/"))
        return path.mid(1);
    if (path == folder)
        return QString();
    if (path.startsWith(folder) && path.at(folder.size()) == QLatin1Char('/'))
        return path.mid(folder.size() + 1);
    return std::nullopt;
}

} // namespace

DriveMap::DriveMap(QList<Drive> drives) : m_drives(std::move(drives))
{
    for (Drive &drive : m_drives) {
        drive.letter = drive.letter.toLower();
        drive.folder = QDir::cleanPath(drive.folder);
    }
    std::sort(m_drives.begin(), m_drives.end(),
              [](const Drive &a, const Drive &b) { return a.letter < b.letter; });
}

DriveMap DriveMap::fromEnvironment()
{
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::homePath() + QStringLiteral("/.wine");
    return fromWinePrefix(prefix, QDir::homePath());
}

DriveMap DriveMap::fromWinePrefix(const QString &prefix, const QString &home)
{
    static const QRegularExpression driveName(QStringLiteral("^[a-zA-Z]:$"));
    QList<Drive> drives;
    const QDir devices(prefix + QStringLiteral("/dosdevices"));
    const auto entries =
        devices.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (!driveName.match(entry.fileName()).hasMatch())
            continue;
        const QString folder = entry.isSymLink() ? entry.symLinkTarget() : entry.absoluteFilePath();
        drives.append({entry.fileName().at(0), folder});
    }
    if (drives.isEmpty())
        drives = {{QLatin1Char('c'), home}, {QLatin1Char('z'), QStringLiteral("/")}};
    return DriveMap(drives);
}

std::optional<QString> DriveMap::folderOf(QChar letter) const
{
    const QChar wanted = letter.toLower();
    for (const Drive &drive : m_drives) {
        if (drive.letter == wanted)
            return drive.folder;
    }
    return std::nullopt;
}

DriveMap::HostPath DriveMap::toHost(const QString &dosPath) const
{
    if (dosPath.size() >= 2 && isSeparator(dosPath.at(0)) && isSeparator(dosPath.at(1)))
        return {{}, tr("network paths (\\\\server\\share) cannot be used")};

    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    const auto parts = dosPath.split(separators, Qt::SkipEmptyParts);
    const bool hasDrive = dosPath.size() >= 2 && dosPath.at(1) == QLatin1Char(':');
    const bool rooted = !dosPath.isEmpty() && isSeparator(dosPath.at(0));
    if (!hasDrive && !rooted) // relative: the host's own rules below the current folder
        return {
            QDir::cleanPath(QDir::currentPath() + QLatin1Char('/') + parts.join(QLatin1Char('/'))),
            {}};

    QString path;
    if (hasDrive) {
        const QChar letter = dosPath.at(0);
        if (!letter.isLetter() || letter.unicode() > 127)
            return {{}, tr("\"%1\" is not a drive letter").arg(dosPath.left(2))};
        const auto folder = folderOf(letter);
        if (!folder)
            return {{}, tr("drive %1 is not mapped to any folder").arg(dosPath.left(2).toLower())};
        path = *folder;
    } else { // rooted without a drive: the root of the drive holding the current folder
        path = folderOf(currentDosFolder().at(0)).value_or(QStringLiteral("/"));
    }

    QStringList below; // the components under the drive's folder; ".." stops at its root
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = hasDrive && i == 0 ? parts[i].mid(2) : parts[i];
        if (part.isEmpty() || part == QStringLiteral("."))
            continue;
        if (part != QStringLiteral(".."))
            below.append(part);
        else if (!below.isEmpty())
            below.removeLast();
    }
    for (const QString &part : below)
        path = (path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/')) +
               matchComponent(path, part);
    return {path, {}};
}

// An existing entry of that exact name, else one that differs only in case,
// else the name as typed (it may be about to be created).
QString DriveMap::matchComponent(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(name)))
        return name;
    const auto entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

// Both the path as given and its canonical form are tried, since a drive's
// folder may be reached through a symlink; the deepest drive folder wins.
std::optional<QString> DriveMap::toDos(const QString &hostPath) const
{
    const QString clean = QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(hostPath));
    const Drive *best = nullptr;
    QString bestRest;
    for (const QString &path : {clean, QFileInfo(clean).canonicalFilePath()}) {
        for (const Drive &drive : m_drives) {
            for (const QString &folder :
                 {drive.folder, QFileInfo(drive.folder).canonicalFilePath()}) {
                const auto rest =
                    path.isEmpty() || folder.isEmpty() ? std::nullopt : below(folder, path);
                if (rest && (!best || rest->size() < bestRest.size())) {
                    best = &drive;
                    bestRest = *rest;
                }
            }
        }
    }
    if (!best)
        return std::nullopt;
    return QString(best->letter) + QStringLiteral(":\\") +
           bestRest.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString DriveMap::currentDosFolder() const
{
    if (auto dos = toDos(QDir::currentPath()))
        return *dos;
    return m_drives.isEmpty() ? QStringLiteral("c:\\")
                              : QString(m_drives.first().letter) + QStringLiteral(":\\");
}
