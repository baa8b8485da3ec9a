#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where windows go: the frame on the screens, document windows in the frame's client area.
// Pure arithmetic on rectangles in pixels.

// The stored frame rectangle when a person can reach it (its title strip shows on one of
// `screens`, the available areas), shrunk to fit that screen; otherwise `fallback`. An empty
// or inverted rectangle also gets the fallback.
QRect reachableFrameRect(const QRect &stored, const QList<QRect> &screens, const QRect &fallback);

// The size a document window opens with in `area`: three quarters of it each way.
QSize documentWindowSize(const QSize &area);

// Where the next document window opens: `step` right and down from the last one (the area's
// corner for the first), back at the corner when it would reach past the area.
QPoint nextDocumentPosition(const QSize &area, const QSize &size, const QPoint *last, int step);

// Cascade of `count` windows of `size` in `area`, each `step` right and down from the one
// before, starting again at the corner whenever a window would reach past the area.
QList<QRect> cascadeRects(const QSize &area, const QSize &size, int count, int step);
