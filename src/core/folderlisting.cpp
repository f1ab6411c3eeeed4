#include "folderlisting.h"

#include "hostname.h"

FolderListing::FolderListing(FolderReader::Kind kind, const DriveMap &drives, QObject *parent)
    : QObject(parent), m_drives(drives), m_shownReader(new FolderReader(kind, this)),
      m_pendingReader(new FolderReader(kind, this))
{
    connectReader(m_shownReader);
    connectReader(m_pendingReader);
}

// Both readers take both roles in turn, so each handler asks which one spoke.
void FolderListing::connectReader(FolderReader *reader)
{
    connect(reader, &FolderReader::opened, this, [this, reader] { opened(reader); });
    connect(reader, &FolderReader::namesRead, this, [this, reader](const NameBatch &names) {
        if (reader == m_shownReader)
            Q_EMIT namesRead(names);
    });
    connect(reader, &FolderReader::finished, this, &FolderListing::updateBusy);
    connect(reader, &FolderReader::failed, this,
            [this, reader](int error) { failed(reader, error); });
}

void FolderListing::show(const DosFolder &folder)
{
    m_pendingReader->cancel();
    m_pending.reset();
    m_shown = folder;
    m_shownOpened = false;
    m_shownReader->read(folder.hostPath(m_drives));
    updateBusy();
}

void FolderListing::moveTo(const DosFolder &folder)
{
    m_pending = folder;
    m_pendingReader->read(folder.hostPath(m_drives));
    updateBusy();
}

void FolderListing::opened(FolderReader *reader)
{
    if (reader == m_shownReader) {
        m_shownOpened = true;
        return;
    }
    m_shownReader->cancel();
    std::swap(m_shownReader, m_pendingReader);
    m_shown = *m_pending;
    m_pending.reset();
    m_shownOpened = true;
    Q_EMIT moved();
}

void FolderListing::failed(FolderReader *reader, int error)
{
    updateBusy();
    const QString reason = FolderReader::describeError(error);
    const QString shown = HostName::forDisplay(m_shown.dosPath());
    if (reader == m_pendingReader) {
        const QString path = m_pending ? HostName::forDisplay(m_pending->dosPath()) : QString();
        m_pending.reset();
        Q_EMIT readFailed(tr("%1 cannot be read: %2.").arg(path, reason));
    } else if (m_shownOpened) {
        Q_EMIT readFailed(tr("%1 could not be read to the end: %2.").arg(shown, reason));
    } else {
        Q_EMIT readFailed(tr("%1 cannot be read: %2.").arg(shown, reason));
    }
}

void FolderListing::updateBusy()
{
    const bool busy = m_shownReader->isReading() || m_pendingReader->isReading();
    if (busy == m_busy)
        return;
    m_busy = busy;
    Q_EMIT busyChanged(busy);
}
