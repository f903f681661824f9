#include "selectionmapping.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int WholeDesktopLimit = 10;

QRect scaled(const QRect &rect, qreal ratio)
{
    return QRect(qRound(rect.x() * ratio), qRound(rect.y() * ratio), qRound(rect.width() * ratio),
                 qRound(rect.height() * ratio));
}

} // namespace

QRect framedRectangle(const QPoint &start, const QPoint &current)
{
    const int left = std::min(start.x(), current.x() + 1);
    const int right = std::max(start.x(), current.x() + 1);
    const int top = std::min(start.y(), current.y() + 1);
    const int bottom = std::max(start.y(), current.y() + 1);
    return QRect(left, top, right - left, bottom - top);
}

QRect overlayGeometry(const QRect &virtualGeometry, const QSizeF &frozenLogicalSize)
{
    return QRect(virtualGeometry.topLeft(),
                 QSize(qRound(frozenLogicalSize.width()), qRound(frozenLogicalSize.height())));
}

bool isCancelledSelection(const QPoint &p1, const QPoint &p2)
{
    const QPoint cancel(-1, -1);
    return p1 == cancel && p2 == cancel;
}

QRect cropRectangle(const QPoint &p1, const QPoint &p2, const QRect &virtualGeometry,
                    qreal devicePixelRatio)
{
    const QRect desktop(QPoint(0, 0), virtualGeometry.size());
    const QRect wholeImage = scaled(desktop, devicePixelRatio);
    const QPoint drag = p2 - p1;
    if (std::abs(drag.x()) <= WholeDesktopLimit || std::abs(drag.y()) <= WholeDesktopLimit)
        return wholeImage;

    const QPoint origin = virtualGeometry.topLeft();
    const QRect framed = framedRectangle(p1 - origin, p2 - origin) & desktop;
    return scaled(framed, devicePixelRatio) & wholeImage;
}
