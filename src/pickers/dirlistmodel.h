#pragma once

#include "core/dosfolder.h"
#include "core/sortednames.h"

#include <QAbstractListModel>
#include <QIcon>

// A classic directory list: the root of the drive and every folder down to
// the current one, each a level deeper, then the current folder's subfolders
// one level below it.
class DirListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { LevelRole = Qt::UserRole + 1 };

    explicit DirListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    const DosFolder &folder() const { return m_folder; }
    void setFolder(const DosFolder &folder);
    void addSubfolders(NameBatch names);

    int currentRow() const { return static_cast<int>(m_folder.names.size()); }
    // The folder that opening this row leads to.
    DosFolder folderAt(int row) const;

private:
    int ancestorRows() const { return currentRow() + 1; }

    DosFolder m_folder;
    SortedNames m_subfolders;
    QIcon m_openIcon;
    QIcon m_closedIcon;
};
