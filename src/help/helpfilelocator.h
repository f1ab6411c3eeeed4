#pragma once

#include <QString>
#include <QStringList>

class DriveMap;

// Turns the help file's name, as the program hands it over, into a file on
// this machine. A bare name is looked for in the current folder, beside the
// executable and in the installed data folder; a DOS path goes through the
// drive map; a path that starts with "/" is the host's own.
class HelpFileLocator
{
public:
    struct Result
    {
        QString path;    // the file found, empty when there is none
        QString problem; // why not, in the viewer's words
        bool found() const { return !path.isEmpty(); }
    };

    HelpFileLocator(const DriveMap &drives, QString executableFolder);

    Result locate(const QString &helpFile) const;

    // Where a bare name is looked for, in order.
    QStringList searchFolders() const;
    // <prefix>/share/tolvane for an executable in <prefix>/bin.
    static QString installedDataFolder(const QString &executableFolder);

private:
    Result lookUpBare(const QString &name) const;

    const DriveMap &m_drives;
    QString m_executableFolder;
};
