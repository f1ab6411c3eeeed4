#pragma once

#include "dosfolder.h"
#include "folderreader.h"

#include <QObject>

#include <optional>

class DriveMap;

// The folder a list shows, whose names go on arriving while it is shown, and
// the folder it was asked to move to, which takes its place only once it has
// opened. A folder that cannot be opened therefore leaves the list as it was,
// still being filled, and the list only hears why.
class FolderListing : public QObject
{
    Q_OBJECT

public:
    FolderListing(FolderReader::Kind kind, const DriveMap &drives, QObject *parent = nullptr);

    const DosFolder &folder() const { return m_shown; }
    // Shows `folder` at once and reads it.
    void show(const DosFolder &folder);
    // Opens `folder`; moved() follows when it opens, readFailed() when not.
    void moveTo(const DosFolder &folder);
    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    // The shown folder was replaced; its names follow.
    void moved();
    void namesRead(const NameBatch &names);
    void busyChanged(bool busy);
    void readFailed(const QString &message);

private:
    void connectReader(FolderReader *reader);
    void opened(FolderReader *reader);
    void failed(FolderReader *reader, int error);
    void updateBusy();

    const DriveMap &m_drives;
    FolderReader *m_shownReader;
    FolderReader *m_pendingReader;
    DosFolder m_shown;
    std::optional<DosFolder> m_pending;
    bool m_shownOpened = false;
    bool m_busy = false;
};
