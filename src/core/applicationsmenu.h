#pragma once

#include "userfolders.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

class RunCommand;
struct WrittenBatchFile;

// The user's own part of the applications menu: desktop entries in
// <data home>/applications, their pictures in <data home>/icons, each pair
// named by the entry's desktop-file ID.
class ApplicationsMenu
{
    Q_DECLARE_TR_FUNCTIONS(ApplicationsMenu)

public:
    // The entries go below the user's data folder ($XDG_DATA_HOME, by the
    // XDG rules) unless another is given.
    explicit ApplicationsMenu(QString dataHome = UserFolders::dataHome());

    QString entryPath(const QString &id) const;
    QString iconPath(const QString &id) const;

    // Writes the batch file's entry with `png` as its picture, or replaces the
    // one it has; nothing when done, why not otherwise. `command` can run.
    std::optional<QString> add(const WrittenBatchFile &file, const RunCommand &command,
                               const QByteArray &png) const;

private:
    void refreshCache() const;

    QString m_dataHome;
};
