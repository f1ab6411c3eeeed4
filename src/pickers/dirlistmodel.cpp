#include "dirlistmodel.h"

#include "core/hostname.h"

#include <QApplication>
#include <QStyle>

DirListModel::DirListModel(QObject *parent)
    : QAbstractListModel(parent),
      m_openIcon(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
      m_closedIcon(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon))
{}

int DirListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ancestorRows() + m_subfolders.size();
}

QVariant DirListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row();
    const bool ancestor = row < ancestorRows();
    switch (role) {
    case Qt::DisplayRole:
        if (row == 0)
            return QString(m_folder.drive) + QStringLiteral(":\\");
        return HostName::forDisplay(ancestor ? m_folder.names.at(row - 1)
                                             : m_subfolders.at(row - ancestorRows()).name);
    case Qt::DecorationRole:
        return ancestor ? m_openIcon : m_closedIcon;
    case LevelRole:
        return ancestor ? row : ancestorRows();
    default:
        return {};
    }
}

void DirListModel::setFolder(const DosFolder &folder)
{
    beginResetModel();
    m_folder = folder;
    m_subfolders.clear();
    endResetModel();
}

// Subfolders come in sorted batches; a layout change keeps the highlighted
// entry on its name while others are merged in around it.
void DirListModel::addSubfolders(NameBatch names)
{
    Q_EMIT layoutAboutToBeChanged();
    const std::vector<int> oldToNew = m_subfolders.merge(std::move(names));
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before) {
        const int sub = index.row() - ancestorRows();
        after.append(sub < 0 ? index
                             : createIndex(ancestorRows() + oldToNew[static_cast<size_t>(sub)],
                                           index.column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

DosFolder DirListModel::folderAt(int row) const
{
    if (row < ancestorRows())
        return m_folder.ancestor(row);
    return m_folder.child(m_subfolders.at(row - ancestorRows()).name);
}
