#include "mainwindow/windowplacement.h"

#include <algorithm>

namespace {

// How much of the frame's title strip must show on a screen to grab it with the mouse.
constexpr int TitleStripHeight = 24;
constexpr int MinimumGrabWidth = 100;

bool fitsFrom(const QPoint &at, const QSize &size, const QSize &area)
{
    return at.x() + size.width() <= area.width() && at.y() + size.height() <= area.height();
}

} // namespace

QRect reachableFrameRect(const QRect &stored, const QList<QRect> &screens, const QRect &fallback)
{
    if (stored.width() <= 0 || stored.height() <= 0)
        return fallback;
    const QRect titleStrip(stored.left(), stored.top(), stored.width(), TitleStripHeight);
    for (const QRect &screen : screens) {
        const QRect shown = titleStrip.intersected(screen);
        if (shown.width() < std::min(MinimumGrabWidth, stored.width())
            || shown.height() < TitleStripHeight / 2)
            continue;
        QRect fitted = stored;
        fitted.setWidth(std::min(stored.width(), screen.width()));
        fitted.setHeight(std::min(stored.height(), screen.height()));
        // Keep the title strip on the screen.
        fitted.moveTop(std::clamp(fitted.top(), screen.top(), screen.bottom() - TitleStripHeight));
        return fitted;
    }
    return fallback;
}

QSize documentWindowSize(const QSize &area)
{
    return QSize(area.width() * 3 / 4, area.height() * 3 / 4);
}

QPoint nextDocumentPosition(const QSize &area, const QSize &size, const QPoint *last, int step)
{
    if (!last)
        return QPoint(0, 0);
    const QPoint next = *last + QPoint(step, step);
    return fitsFrom(next, size, area) ? next : QPoint(0, 0);
}

QList<QRect> cascadeRects(const QSize &area, const QSize &size, int count, int step)
{
    QList<QRect> rects;
    QPoint at(0, 0);
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            at = nextDocumentPosition(area, size, &at, step);
        rects << QRect(at, size);
    }
    return rects;
}
