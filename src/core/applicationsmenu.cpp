#include "applicationsmenu.h"

#include "atomicfile.h"
#include "desktopentry.h"
#include "writtenbatchfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

ApplicationsMenu::ApplicationsMenu(QString dataHome) : m_dataHome(std::move(dataHome)) {}

QString ApplicationsMenu::entryPath(const QString &id) const
{
    return m_dataHome + QStringLiteral("/applications/") + id + QStringLiteral(".desktop");
}

QString ApplicationsMenu::iconPath(const QString &id) const
{
    return m_dataHome + QStringLiteral("/icons/") + id + QStringLiteral(".png");
}

std::optional<QString> ApplicationsMenu::add(const WrittenBatchFile &file,
                                             const RunCommand &command, const QByteArray &png) const
{
    const QString id = DesktopEntry::idFor(file.hostPath);
    const DesktopEntry entry(file, command, iconPath(id));
    if (!entry.problem().isEmpty())
        return entry.problem();
    const QString entryFile = entryPath(id);
    const QString iconFile = iconPath(id);
    for (const QString &path : {entryFile, iconFile}) {
        if (auto problem = AtomicFile::makeFolder(QFileInfo(path).path()))
            return problem;
    }
    // The picture first, so that an entry never names one that is not there.
    const bool replacing = QFileInfo::exists(entryFile);
    if (auto problem = AtomicFile::save(iconFile, png))
        return problem;
    if (auto problem = AtomicFile::save(entryFile, entry.text())) {
        if (!replacing)
            QFile::remove(iconFile);
        return problem;
    }
    refreshCache();
    return std::nullopt;
}

// Some menus read the folder's cache rather than the folder. The tool is
// optional and is never waited for.
void ApplicationsMenu::refreshCache() const
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (tool.isEmpty())
        return;
    QProcess process;
    process.setProgram(tool);
    process.setArguments({m_dataHome + QStringLiteral("/applications")});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}
