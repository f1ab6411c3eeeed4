#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

class DriveMap;

// Puts a batch file at the DOS path the user gave: resolved through the drive
// map, then written beside the target under a name of its own and renamed
// over it, so the file appears whole or not at all and a file already there
// survives any failure. The folder is opened by the bytes of its name as the
// drive map found it, which need not be UTF-8. Nothing else is touched: no
// temporary file of a fixed name, no other folder.
class BatchFileSaver
{
    Q_DECLARE_TR_FUNCTIONS(BatchFileSaver)

public:
    explicit BatchFileSaver(const DriveMap &drives);

    // Nothing when the file was written; otherwise why not, in plain words.
    std::optional<QString> save(const QString &dosPath, const QByteArray &bytes) const;

    // Why a DOS or Windows command interpreter could not use the last part of
    // the path as a file name: reserved characters, device names, no name.
    static std::optional<QString> nameProblem(const QString &dosPath);

private:
    struct Target;
    std::optional<QString> openTarget(const QString &dosPath, const QString &hostPath,
                                      Target &target) const;
    std::optional<QString> followLinks(const QString &dosPath, Target &target) const;
    std::optional<QString> placeProblem(const QString &dosPath, const Target &target) const;
    std::optional<QString> write(const QString &dosPath, const Target &target,
                                 const QByteArray &bytes) const;
    struct WriteProgress
    {
        qint64 reached; // bytes that reached the disk, -1 when nothing was opened
        qint64 wanted;
    };
    QString writeProblem(const QString &dosPath, const Target &target, WriteProgress progress,
                         int error) const;
    QString replaceProblem(const QString &dosPath, const Target &target, int error) const;

    const DriveMap &m_drives;
};
