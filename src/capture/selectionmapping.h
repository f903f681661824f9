#pragma once

#include <QPoint>
#include <QRect>
#include <QSizeF>

// Where a region selector goes: over the whole virtual desktop, so that every image pixel lies
// under the screen point it was grabbed from, also when a monitor sits left of or above the
// primary screen. The size is the frozen image's device-independent size, rounded.
QRect overlayGeometry(const QRect &virtualGeometry, const QSizeF &frozenLogicalSize);

// The pixels a selection from `start` to `current` frames, in the same coordinates: from the start
// pixel through the current one; dragging up or left frames the pixels between them, as the
// selector's dimming path does.
QRect framedRectangle(const QPoint &start, const QPoint &current);

// The selector answers (-1, -1), (-1, -1) when it was cancelled.
bool isCancelledSelection(const QPoint &p1, const QPoint &p2);

// The rectangle of the frozen image, in image pixels, that a selection from `p1` to `p2` (the
// selector's global points) framed: the rectangle the selector left undimmed and whose size its
// loupe showed, clipped to the desktop. A drag of 10 logical pixels or less in either direction
// (a plain click) keeps the whole desktop.
QRect cropRectangle(const QPoint &p1, const QPoint &p2, const QRect &virtualGeometry,
                    qreal devicePixelRatio);
