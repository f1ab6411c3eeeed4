#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

class DriveMap;

// A folder as the user sees it: a drive letter and the names below its root.
// Its DOS form is what the lists show and copy; its host form is only for
// reading the disk.
struct DosFolder
{
    QChar drive; // lower case
    QStringList names;

    // c:\ at the root, c:\games\doom below it.
    QString dosPath() const;
    QString hostPath(const DriveMap &drives) const;
    // The folder opened by the entry `depth` levels below the root.
    DosFolder ancestor(qsizetype depth) const;
    DosFolder child(const QString &name) const;

    friend bool operator==(const DosFolder &, const DosFolder &) = default;

    // "c:" or a drive list's "c: [/home/u/.wine/drive_c]": whether the text
    // names a drive rather than a folder.
    static bool isDriveString(const QString &text);

    // Where a text leads: a drive string goes to that drive's current folder
    // (`processFolder` when it lies on that drive, else the root) without
    // touching the disk; a path is taken below its drive, each name matched
    // on disk without regard to case. Nothing, with the reason in `error`,
    // when the drive is not mapped.
    static std::optional<DosFolder> resolve(const DriveMap &drives, const QString &text,
                                            const DosFolder &processFolder, QString *error);

    // The process's current folder; the program never changes it. Found
    // without touching the disk.
    static DosFolder processFolder(const DriveMap &drives);

    // Why a name read from the disk cannot stand in a DOS path (a backslash,
    // one of <>:"|?*, a control character, bytes that are not UTF-8), in
    // words that follow "its name holds"; empty when it can.
    static QString whyNotDos(const QString &name);
    // The first of the names that cannot stand in a DOS path, or nothing.
    std::optional<QString> firstNameNotDos() const;
};
