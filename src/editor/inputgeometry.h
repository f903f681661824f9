#pragma once

#include "drawobject.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <optional>

// Geometry of the editor's mouse input, free of widgets.
namespace InputGeometry {

// A position in the scroll area's viewport as canvas pixels: the scrolled-away part is added and
// the margin of a canvas centred in a larger viewport is taken off.
QPoint canvasPosition(QPointF viewportPosition, QPoint scrollValues, QPoint canvasOffset);

// `to` pulled onto the horizontal or vertical through `from`, whichever is nearer.
QPoint shiftAligned(QPoint from, QPoint to);

// The rectangle a picture takes when its corner `handle` (1 to 4, as hitTest numbers them) is
// dragged to `pointer`: the opposite corner of `start` stays fixed and the aspect ratio of `start`
// is kept, the derived side never below 10 pixels. None while the pointer is within 9 pixels of
// the fixed corner on both axes.
std::optional<QRect> resizedPicture(const DrawBounds &start, int handle, QPoint pointer);

} // namespace InputGeometry
