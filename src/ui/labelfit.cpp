#include "labelfit.h"

#include <QAbstractButton>
#include <QLabel>

#include <algorithm>

void widenLabelToText(QLabel *label, int rightMargin)
{
    const QWidget *parent = label->parentWidget();
    const int room = parent->width() - rightMargin - label->x();
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2;
    if (needed > label->width())
        label->resize(std::min(needed, room), label->height());
    fitLabelToText(label);
}

void fitLabelToText(QLabel *label)
{
    const int needed = label->heightForWidth(label->width());
    if (needed <= label->height())
        return;
    QRect geometry = label->geometry();
    geometry.setHeight(needed);
    if (const QWidget *parent = label->parentWidget()) {
        const int overflow = geometry.bottom() - parent->contentsRect().bottom();
        if (overflow > 0)
            geometry.moveTop(std::max(0, geometry.top() - overflow));
    }
    label->setGeometry(geometry);
}

void fitButtonToText(QAbstractButton *button)
{
    const QSize needed = button->sizeHint();
    QRect geometry = button->geometry();
    if (needed.width() <= geometry.width() && needed.height() <= geometry.height())
        return;
    const QPoint centre = geometry.center();
    geometry.setSize(geometry.size().expandedTo(needed));
    geometry.moveCenter(centre);
    if (const QWidget *parent = button->parentWidget()) {
        const QRect room = parent->contentsRect();
        geometry.moveRight(std::min(geometry.right(), room.right()));
        geometry.moveLeft(std::max(geometry.left(), room.left()));
    }
    button->setGeometry(geometry);
}
