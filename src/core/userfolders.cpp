#include "userfolders.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

namespace {

QString absoluteOrEmpty(const char *variable)
{
    const QString path = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(path) ? QDir::cleanPath(path) : QString();
}

} // namespace

QString UserFolders::home()
{
    if (const QString home = absoluteOrEmpty("HOME"); !home.isEmpty())
        return home;
    if (const passwd *user = ::getpwuid(::getuid()); user && user->pw_dir) {
        const QString home = QFile::decodeName(user->pw_dir);
        if (QDir::isAbsolutePath(home))
            return QDir::cleanPath(home);
    }
    return QDir::rootPath();
}

QString UserFolders::configHome()
{
    const QString config = absoluteOrEmpty("XDG_CONFIG_HOME");
    return config.isEmpty() ? QDir(home()).filePath(QStringLiteral(".config")) : config;
}

QString UserFolders::dataHome()
{
    const QString data = absoluteOrEmpty("XDG_DATA_HOME");
    return data.isEmpty() ? QDir(home()).filePath(QStringLiteral(".local/share")) : data;
}
