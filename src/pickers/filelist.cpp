#include "filelist.h"

#include "core/folderlisting.h"
#include "filelistmodel.h"

#include <QMouseEvent>

FileList::FileList(const DriveMap &drives, QWidget *parent)
    : QListView(parent), m_drives(drives), m_model(new FileListModel(this)),
      m_listing(new FolderListing(FolderReader::Kind::Files, drives, this))
{
    setModel(m_model);
    // One row height for all lets the view lay out a hundred thousand rows
    // without asking each one its size.
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    connect(m_listing, &FolderListing::moved, m_model, &FileListModel::clear);
    connect(m_listing, &FolderListing::namesRead, m_model, &FileListModel::addNames);
    connect(m_listing, &FolderListing::busyChanged, this, &FileList::busyChanged);
    connect(m_listing, &FolderListing::readFailed, this, &FileList::readFailed);
}

QString FileList::path() const
{
    return m_listing->folder().dosPath();
}

void FileList::setFolder(const DosFolder &folder)
{
    if (m_listing->folder().drive.isNull())
        m_listing->show(folder); // nothing shown yet that could stay
    else
        m_listing->moveTo(folder);
}

QString FileList::pattern() const
{
    return m_model->pattern();
}

void FileList::setPattern(const QString &pattern)
{
    m_model->setPattern(pattern);
}

QString FileList::fileName() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current))
        return {};
    return m_model->nameAt(current.row());
}

bool FileList::isBusy() const
{
    return m_listing->isBusy();
}

// A click reports its entry even when it was highlighted already, so that a
// name can be picked again after the pattern was edited.
void FileList::mousePressEvent(QMouseEvent *event)
{
    QListView::mousePressEvent(event);
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid() && hit == currentIndex())
        Q_EMIT fileSelected();
}

void FileList::mouseMoveEvent(QMouseEvent *event)
{
    const QModelIndex before = currentIndex();
    QListView::mouseMoveEvent(event);
    reportIfMoved(before);
}

// The keyboard picks as a click does. Coming in with Tab only marks a row;
// the first arrow key then picks that row rather than its neighbour, any key
// that moves picks the row it lands on, and Space picks the marked row even
// when it is highlighted already.
void FileList::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool plain = event->modifiers() == Qt::NoModifier;
    const bool arrow = plain && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
                                 key == Qt::Key_Right);
    const bool move = arrow || (plain && (key == Qt::Key_Home || key == Qt::Key_End ||
                                          key == Qt::Key_PageUp || key == Qt::Key_PageDown));
    const auto picked = [this](const QModelIndex &index) {
        return index.isValid() && selectionModel()->isSelected(index);
    };
    const QModelIndex before = currentIndex();
    const bool wasPicked = picked(before);
    if (arrow && before.isValid() && !wasPicked)
        event->accept();
    else
        QListView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (move && after.isValid() && !picked(after))
        selectionModel()->select(after, QItemSelectionModel::ClearAndSelect);
    if (picked(after) && (after != before || !wasPicked || key == Qt::Key_Space))
        Q_EMIT fileSelected();
}

void FileList::reportIfMoved(const QModelIndex &before)
{
    if (currentIndex().isValid() && currentIndex() != before)
        Q_EMIT fileSelected();
}
