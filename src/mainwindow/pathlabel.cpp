#include "pathlabel.h"

#include <QPainter>
#include <QTextLayout>

#include <cmath>

PathLabel::PathLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}

QTextOption PathLabel::textOption()
{
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

qreal PathLabel::textHeight(qreal width) const
{
    QTextLayout layout(text().isEmpty() ? QStringLiteral(" ") : text(), font());
    layout.setTextOption(textOption());
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
    }
    layout.endLayout();
    return height;
}

int PathLabel::heightForWidth(int width) const
{
    const int edges = 2 * (frameWidth() + padding);
    return int(std::ceil(textHeight(std::max(1, width - edges)))) + edges;
}

void PathLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event); // background and frame
    const QRectF room = contentsRect().adjusted(padding, padding, -padding, -padding);
    const qreal height = textHeight(room.width());
    QRectF text = room;
    text.setTop(room.top() + std::max<qreal>(0, (room.height() - height) / 2));
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(text, this->text(), textOption());
}
