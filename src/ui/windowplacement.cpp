#include "windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

const QScreen *screenOf(const QWidget *window)
{
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

// The window with its frame. Before the first show no frame is known: one of
// a window already shown stands in, else a title bar of the style's height.
QRect frameOf(const QWidget *window)
{
    if (window->isVisible())
        return window->frameGeometry();
    QMargins margins(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    for (const QWindow *other : QGuiApplication::topLevelWindows()) {
        if (other->isVisible() && !other->frameMargins().isNull()) {
            margins = other->frameMargins();
            break;
        }
    }
    return QRect(window->pos(), window->size().grownBy(margins));
}

// Where a span of `length` starting at `start` stands wholly in the area's
// span, or at its start where it is longer.
int intoSpan(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

void moveOntoArea(QWidget *window, QRect frame, const QRect &area)
{
    const QPoint topLeft(intoSpan(frame.x(), frame.width(), area.x(), area.width()),
                         intoSpan(frame.y(), frame.height(), area.y(), area.height()));
    if (topLeft != window->frameGeometry().topLeft())
        window->move(topLeft);
}

} // namespace

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // A window that can be resized fits itself to a small screen.
    if (window->minimumSize() != window->maximumSize())
        window->resize(window->size().boundedTo(area.size()).expandedTo(window->minimumSize()));
    QRect frame = frameOf(window);
    frame.moveCenter(area.center());
    moveOntoArea(window, frame, area);
}

void keepOnScreen(QWidget *window)
{
    if (const QScreen *screen = screenOf(window))
        moveOntoArea(window, frameOf(window), screen->availableGeometry());
}
