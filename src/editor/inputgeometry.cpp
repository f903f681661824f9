#include "inputgeometry.h"

#include <cmath>
#include <cstdlib>

namespace InputGeometry {

QPoint canvasPosition(QPointF viewportPosition, QPoint scrollValues, QPoint canvasOffset)
{
    return viewportPosition.toPoint() + scrollValues -
           QPoint(std::max(canvasOffset.x(), 0), std::max(canvasOffset.y(), 0));
}

QPoint shiftAligned(QPoint from, QPoint to)
{
    if (std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y()))
        return QPoint(to.x(), from.y());
    return QPoint(from.x(), to.y());
}

std::optional<QRect> resizedPicture(const DrawBounds &start, int handle, QPoint pointer)
{
    QPoint fixed;
    switch (handle) {
    case 1:
        fixed = QPoint(start.right, start.bottom);
        break;
    case 2:
        fixed = QPoint(start.left, start.top);
        break;
    case 3:
        fixed = QPoint(start.left, start.bottom);
        break;
    case 4:
        fixed = QPoint(start.right, start.top);
        break;
    default:
        return std::nullopt;
    }
    const int dx = std::abs(pointer.x() - fixed.x());
    const int dy = std::abs(pointer.y() - fixed.y());
    if (dx <= 9 && dy <= 9)
        return std::nullopt;

    const double aspect = start.height == 0 ? 1.0 : double(start.width) / start.height;
    const int widthFromHeight = int(std::lround(dy * aspect));
    int width = dx;
    int height = dy;
    if (dx < widthFromHeight)
        width = std::max(widthFromHeight, 10);
    else
        height = std::max(int(std::lround(dx / aspect)), 10);

    const int left = pointer.x() < fixed.x() ? fixed.x() - width : fixed.x();
    const int top = pointer.y() < fixed.y() ? fixed.y() - height : fixed.y();
    return QRect(left, top, width, height);
}

} // namespace InputGeometry
