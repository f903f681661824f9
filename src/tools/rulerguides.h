#pragma once

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRect>

// The ruler's guide lines as plain geometry: each spans the ruler window from edge to edge in
// global coordinates, horizontal or vertical.
namespace RulerGuides {

inline constexpr int MaxGuides = 20;
inline constexpr int MaxGuidesPerOrientation = 10;
// Guides farther from the pointer than this cannot be picked.
inline constexpr qreal PickDistance = 10.0;

// Horizontal when both y values are equal in Qt's fuzzy sense; everything else counts as vertical.
bool isHorizontal(const QLineF &guide);

// The index of the guide nearest to `point` and closer than PickDistance, the first of equally
// near ones; -1 when there is none.
int guideAt(const QList<QLineF> &guides, const QPointF &point);

// A full-width horizontal guide at `y` or a full-height vertical one at `x`, clamped into `window`
// (global coordinates, right and bottom being the last pixel).
QLineF horizontalGuide(const QRect &window, qreal y);
QLineF verticalGuide(const QRect &window, qreal x);

// A stored line fitted to `window`: mostly horizontal lines (a diagonal included) become a
// horizontal guide at their start y, the others a vertical one at their start x.
QLineF fitted(const QLineF &stored, const QRect &window);

// Whether `guides` still has room for one more guide of `guide`'s orientation.
bool hasRoomFor(const QList<QLineF> &guides, const QLineF &guide);

// The distances in pixels between neighbouring positions, each with its midpoint, in ascending
// order of position.
struct Gap
{
    qreal middle;
    int pixels;
};
QList<Gap> gapsBetween(QList<qreal> positions);

} // namespace RulerGuides
