#include "wrappinglabel.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTextLayout>

#include <cmath>

WrappingLabel::WrappingLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Never taller than a screen, even before its owner sets a limit.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_maximumTextHeight = screen->availableGeometry().height();
}

void WrappingLabel::setMaximumTextHeight(int height)
{
    m_maximumTextHeight = height;
    m_cache.width = -1;
    updateGeometry();
}

QTextOption WrappingLabel::textOption() const
{
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

qreal WrappingLabel::textHeight(const QString &text, qreal width) const
{
    // A text layout breaks lines only at the line separator, not at "\n".
    QString lines = text.isEmpty() ? QStringLiteral(" ") : text;
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(lines, font());
    layout.setTextOption(textOption());
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
        if (height > m_maximumTextHeight)
            break; // too tall already; the rest does not matter
    }
    layout.endLayout();
    return height;
}

int WrappingLabel::roomFor(int width) const
{
    return std::max(1, width - 2 * (frameWidth() + m_padding));
}

// The longest text made of the two ends that fits: a binary search over how
// many characters are kept. No line holds more than one character for every
// two pixels, which bounds the search, so even a 100 KB path takes a few
// short layouts.
QString WrappingLabel::shownText(int width) const
{
    const QString whole = text();
    if (m_cache.width == width && m_cache.text == whole)
        return m_cache.shown;
    const qreal room = roomFor(width);
    const qsizetype lines = m_maximumTextHeight / std::max(1, fontMetrics().lineSpacing()) + 1;
    const qsizetype mostThatFits = lines * (qsizetype(room) / 2 + 1);
    QString shown = whole;
    if (whole.size() > mostThatFits || textHeight(whole, room) > m_maximumTextHeight) {
        const QChar ellipsis(0x2026);
        const auto ends = [&](qsizetype kept) {
            return whole.left(kept - kept / 2) + ellipsis + whole.right(kept / 2);
        };
        qsizetype fits = 0;
        qsizetype tooMany = std::min(whole.size(), mostThatFits + 1);
        while (tooMany - fits > 1) {
            const qsizetype kept = (fits + tooMany) / 2;
            (textHeight(ends(kept), room) <= m_maximumTextHeight ? fits : tooMany) = kept;
        }
        shown = ends(fits);
    }
    m_cache = {whole, width, shown};
    return shown;
}

int WrappingLabel::heightForWidth(int width) const
{
    const qreal height = textHeight(shownText(width), roomFor(width));
    return int(std::ceil(std::min<qreal>(height, m_maximumTextHeight))) +
           2 * (frameWidth() + m_padding);
}

// Wide enough for about forty characters, as tall as that width needs.
QSize WrappingLabel::sizeHint() const
{
    const int width = fontMetrics().averageCharWidth() * 40 + 2 * (frameWidth() + m_padding);
    return {width, heightForWidth(width)};
}

QSize WrappingLabel::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 4, fontMetrics().height()};
}

void WrappingLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event); // background and frame
    const QRectF room = contentsRect().adjusted(m_padding, m_padding, -m_padding, -m_padding);
    const QString shown = shownText(width());
    const qreal height = textHeight(shown, room.width());
    QRectF area = room;
    if (alignment() & Qt::AlignVCenter)
        area.setTop(room.top() + std::max<qreal>(0, (room.height() - height) / 2));
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.setClipRect(room);
    painter.drawText(area, QString(shown).replace(QLatin1Char('\n'), QChar::LineSeparator),
                     textOption());
}

void WrappingLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_cache.width = -1;
    QLabel::changeEvent(event);
}

PathLabel::PathLabel(QWidget *parent) : WrappingLabel(parent)
{
    setPadding(3);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}
