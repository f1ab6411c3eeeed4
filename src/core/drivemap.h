#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <optional>

// DOS drive letters and the host folders they stand for. Batch files are for a
// DOS or Windows command interpreter, so paths stay in DOS form wherever the
// user sees them; they are turned into host paths only to touch the disk.
class DriveMap
{
public:
    struct Drive
    {
        QChar letter; // lower case
        QString folder;
    };

    // Where the program looks: the drives of the Wine prefix ($WINEPREFIX or
    // ~/.wine), or c: = home folder and z: = / when there is none. Only the
    // prefix's own folder is read: a drive's link is never followed here, so
    // a drive on a share that has stopped answering cannot hold up the start.
    static DriveMap fromEnvironment();
    static DriveMap fromWinePrefix(const QString &prefix, const QString &home);

    DriveMap() = default;
    explicit DriveMap(QList<Drive> drives);

    const QList<Drive> &drives() const { return m_drives; }
    // The Wine prefix whose drives these are; empty when they are not a
    // prefix's (c: the home folder and z: / by default).
    const QString &winePrefix() const { return m_winePrefix; }
    std::optional<QString> folderOf(QChar letter) const;

    struct HostPath
    {
        QString path;  // empty when the DOS path cannot be reached
        QString error; // why, in plain words, when it cannot
        bool ok() const { return error.isEmpty(); }
    };

    // c:\Games\Doom -> <folder of c:>/games/DOOM: each existing component is
    // matched exactly first and then without regard to case, as Wine matches
    // it, the same in every language; components that do not exist yet are
    // kept as typed. A component that matches no entry exactly but several
    // that differ only in case cannot be reached: Wine itself picks one or
    // another by the order of the folder. ".." never climbs above the drive's
    // folder, as it cannot climb above a drive's root in DOS. A path without
    // a drive letter is relative to the current folder.
    HostPath toHost(const QString &dosPath) const;

    // Where a host path lies: its drive and the names below the drive's folder.
    struct Place
    {
        QChar letter;
        QStringList names;
    };

    // /home/u/.wine/drive_c/games -> c:\games, through the drive whose folder
    // is the longest prefix; nothing when no drive holds the path. Only the
    // path itself is looked at on disk, never another drive's folder.
    std::optional<QString> toDos(const QString &hostPath) const;
    std::optional<Place> placeOf(const QString &hostPath) const;

    // The current folder of the process in DOS form (c:\ when it lies on no
    // drive), and where it lies; neither touches the disk.
    QString currentDosFolder() const;
    std::optional<Place> currentPlace() const;

private:
    struct RealFolders;

    static QString matchComponent(const QString &folder, const QString &name, QStringList *alike);
    std::optional<Place> place(const QStringList &candidates) const;
    void resolveRealFolders();

    QList<Drive> m_drives;
    QString m_winePrefix;
    // Each drive's folder with its links resolved, found on worker threads
    // and shared by every copy of the map.
    std::shared_ptr<RealFolders> m_realFolders;
};
