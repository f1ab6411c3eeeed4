#include "labelfit.h"

#include <QLabel>

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
