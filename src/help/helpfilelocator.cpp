#include "helpfilelocator.h"

#include "core/drivemap.h"
#include "core/regularfile.h"
#include "core/translator.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

// Where the installation puts the data files, seen from the executable's folder.
#ifndef TOLVANE_DATA_FROM_BIN
#define TOLVANE_DATA_FROM_BIN "../share/tolvane"
#endif

namespace {

constexpr Translator tr{"HelpFileLocator"};

bool isBare(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !(name.size() >= 2 && name.at(1) == QLatin1Char(':'));
}

// Only a plain file is a help file: reading a pipe or a device would hang or
// never end. Empty when the path holds one, else why not; nothing at all
// is a missing file.
std::optional<QString> unusable(const QString &helpFile, const QString &path)
{
    const RegularFile::Kind kind = RegularFile::kindOf(path);
    if (kind == RegularFile::Kind::Regular)
        return std::nullopt;
    if (kind == RegularFile::Kind::Missing)
        return QString();
    return tr("The help file \"%1\" is %2, not a file.").arg(helpFile, RegularFile::describe(kind));
}

QString missing(const QString &helpFile)
{
    return tr("Cannot find the help file \"%1\".").arg(helpFile);
}

} // namespace

HelpFileLocator::HelpFileLocator(const DriveMap &drives, QString executableFolder)
    : m_drives(drives), m_executableFolder(std::move(executableFolder))
{}

QString HelpFileLocator::installedDataFolder(const QString &executableFolder)
{
    return QDir::cleanPath(executableFolder + QLatin1Char('/') +
                           QStringLiteral(TOLVANE_DATA_FROM_BIN));
}

QStringList HelpFileLocator::searchFolders() const
{
    return {QDir::currentPath(), QDir::cleanPath(m_executableFolder),
            installedDataFolder(m_executableFolder)};
}

HelpFileLocator::Result HelpFileLocator::locate(const QString &helpFile) const
{
    if (helpFile.isEmpty())
        return {{}, tr("No help file was named.")};
    if (isBare(helpFile))
        return lookUpBare(helpFile);
    if (helpFile.startsWith(QLatin1Char('/'))) {
        const auto problem = unusable(helpFile, helpFile);
        if (!problem)
            return {QDir::cleanPath(helpFile), {}};
        return {{}, problem->isEmpty() ? missing(helpFile) : *problem};
    }
    const DriveMap::HostPath host = m_drives.toHost(helpFile);
    if (!host.ok())
        return {{}, missing(helpFile) + QLatin1Char(' ') + host.error + QLatin1Char('.')};
    const auto problem = unusable(helpFile, host.path);
    if (!problem)
        return {host.path, {}};
    if (!problem->isEmpty())
        return {{}, *problem};
    return {{}, tr("Cannot find the help file \"%1\" (%2).").arg(helpFile, host.path)};
}

HelpFileLocator::Result HelpFileLocator::lookUpBare(const QString &name) const
{
    // Something else of that name in one folder does not hide the file in
    // the next; it is named only when no folder holds the file.
    QString firstProblem;
    const QStringList folders = searchFolders();
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        const auto problem = unusable(QDir::toNativeSeparators(candidate), candidate);
        if (!problem)
            return {QDir::cleanPath(candidate), {}};
        if (firstProblem.isEmpty())
            firstProblem = *problem;
    }
    if (!firstProblem.isEmpty())
        return {{}, firstProblem};
    return {{},
            missing(name) + QLatin1Char(' ') +
                tr("Looked in: %1.").arg(folders.join(QStringLiteral(", ")))};
}
