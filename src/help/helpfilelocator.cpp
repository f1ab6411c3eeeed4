#include "helpfilelocator.h"

#include "core/drivemap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// Where the installation puts the data files, seen from the executable's folder.
#ifndef TOLVANE_DATA_FROM_BIN
#define TOLVANE_DATA_FROM_BIN "../share/tolvane"
#endif

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("HelpFileLocator", text);
}

bool isBare(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !(name.size() >= 2 && name.at(1) == QLatin1Char(':'));
}

bool isFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
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
        if (isFile(helpFile))
            return {QDir::cleanPath(helpFile), {}};
        return {{}, missing(helpFile)};
    }
    const DriveMap::HostPath host = m_drives.toHost(helpFile);
    if (!host.ok())
        return {{}, missing(helpFile) + QLatin1Char(' ') + host.error + QLatin1Char('.')};
    if (isFile(host.path))
        return {host.path, {}};
    return {{}, tr("Cannot find the help file \"%1\" (%2).").arg(helpFile, host.path)};
}

HelpFileLocator::Result HelpFileLocator::lookUpBare(const QString &name) const
{
    const QStringList folders = searchFolders();
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (isFile(candidate))
            return {QDir::cleanPath(candidate), {}};
    }
    return {{},
            missing(name) + QLatin1Char(' ') +
                tr("Looked in: %1.").arg(folders.join(QStringLiteral(", ")))};
}
