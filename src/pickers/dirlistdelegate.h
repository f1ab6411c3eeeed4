#pragma once

#include <QStyledItemDelegate>

// Draws each entry of the directory list indented by its level in the tree.
class DirListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    static constexpr int indent = 10;
};
