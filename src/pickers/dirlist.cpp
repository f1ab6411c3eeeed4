#include "dirlist.h"

#include "core/folderlisting.h"
#include "dirlistdelegate.h"
#include "dirlistmodel.h"

#include <QKeyEvent>

DirList::DirList(const DriveMap &drives, QWidget *parent)
    : QListView(parent), m_drives(drives), m_processFolder(DosFolder::processFolder(drives)),
      m_model(new DirListModel(this)),
      m_listing(new FolderListing(FolderReader::Kind::Folders, drives, this))
{
    setModel(m_model);
    setItemDelegate(new DirListDelegate(this));
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex &index) { openRow(index.row()); });
    connect(m_listing, &FolderListing::moved, this, &DirList::moved);
    connect(m_listing, &FolderListing::namesRead, m_model, &DirListModel::addSubfolders);
    connect(m_listing, &FolderListing::busyChanged, this, &DirList::busyChanged);
    connect(m_listing, &FolderListing::readFailed, this, &DirList::readFailed);
}

QString DirList::path() const
{
    return m_model->folder().dosPath();
}

const DosFolder &DirList::folder() const
{
    return m_model->folder();
}

bool DirList::isBusy() const
{
    return m_listing->isBusy();
}

void DirList::startAt(const DosFolder &folder)
{
    m_model->setFolder(folder);
    setCurrentIndex(m_model->index(m_model->currentRow()));
    m_listing->show(folder);
}

void DirList::setPath(const QString &pathOrDrive)
{
    QString error;
    if (const auto folder = DosFolder::resolve(m_drives, pathOrDrive, m_processFolder, &error))
        m_listing->moveTo(*folder);
    else
        Q_EMIT readFailed(
            tr("%1 cannot be read: %2.")
                .arg(DosFolder::isDriveString(pathOrDrive) ? pathOrDrive.left(2) : pathOrDrive,
                     error));
}

void DirList::openRow(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        m_listing->moveTo(m_model->folderAt(row));
}

void DirList::moved()
{
    const bool changed = m_listing->folder() != m_model->folder();
    m_model->setFolder(m_listing->folder());
    const QModelIndex current = m_model->index(m_model->currentRow());
    setCurrentIndex(current);
    scrollTo(current);
    if (changed)
        Q_EMIT pathChanged();
}

// Enter opens the highlighted entry, as a double click does; the platform's
// "activated" is not used since some desktops activate on a single click.
void DirList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        openRow(currentIndex().row());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}
