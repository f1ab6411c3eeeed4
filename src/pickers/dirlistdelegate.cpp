#include "dirlistdelegate.h"

#include "dirlistmodel.h"

void DirListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem indented = option;
    indented.rect.setLeft(option.rect.left() +
                          indent * index.data(DirListModel::LevelRole).toInt());
    QStyledItemDelegate::paint(painter, indented, index);
}
