#include "drawobject.h"

#include "textmetrics.h"

#include <QLineF>
#include <cmath>

#include <algorithm>
#include <array>

namespace {

bool nearHandle(QPoint handle, int x, int y)
{
    return std::hypot(double(handle.x() - x), double(handle.y() - y)) < DrawObject::HandleRadius;
}

// Handles 1..4 at the corners in the order the resize code expects them.
int cornerHandleAt(const DrawBounds &b, int x, int y)
{
    const std::array<QPoint, 4> corners{QPoint(b.left, b.top), QPoint(b.right, b.bottom),
                                        QPoint(b.right, b.top), QPoint(b.left, b.bottom)};
    for (int i = 0; i < int(corners.size()); ++i) {
        if (nearHandle(corners[i], x, y))
            return i + 1;
    }
    return DrawObject::Miss;
}

} // namespace

bool DrawBounds::operator==(const DrawBounds &other) const
{
    return left == other.left && top == other.top && right == other.right &&
           bottom == other.bottom && width == other.width && height == other.height;
}

void DrawObject::setPoints(int x1, int y1, int x2, int y2)
{
    p1 = QPoint(x1, y1);
    p2 = QPoint(x2, y2);
}

void DrawObject::normalize(int W, int H)
{
    bounds.right = std::max(p1.x(), p2.x());
    bounds.left = std::max(std::min(p1.x(), p2.x()), 0);
    bounds.bottom = std::max(p1.y(), p2.y());
    bounds.top = std::max(std::min(p1.y(), p2.y()), 0);
    if (W > 0 && bounds.right > W)
        bounds.right = W;
    if (H > 0 && bounds.bottom > H)
        bounds.bottom = H;
    bounds.width = bounds.right - bounds.left;
    bounds.height = bounds.bottom - bounds.top;

    const auto clampX = [W](int x) { return W > 0 ? std::clamp(x, 0, W) : std::max(x, 0); };
    const auto clampY = [H](int y) { return H > 0 ? std::clamp(y, 0, H) : std::max(y, 0); };
    p1 = QPoint(clampX(p1.x()), clampY(p1.y()));
    p2 = QPoint(clampX(p2.x()), clampY(p2.y()));
}

void DrawObject::resetPoints()
{
    p1 = QPoint();
    p2 = QPoint();
    bounds.width = 0;
    bounds.height = 0;
}

void DrawObject::moveBy(int dx, int dy)
{
    int sx = -dx;
    int sy = -dy;
    if (kind == ToolKind::Picture) {
        // A picture slides along the edge instead of stopping dead, so the move is cut at 0.
        if (p1.x() + sx < 0)
            sx = -p1.x();
        if (p1.y() + sy < 0)
            sy = -p1.y();
    } else {
        const QPoint a = p1 + QPoint(sx, sy);
        const QPoint b = p2 + QPoint(sx, sy);
        if (a.x() < 0 || a.y() < 0 || b.x() < 0 || b.y() < 0)
            return;
    }
    p1 += QPoint(sx, sy);
    p2 += QPoint(sx, sy);
    bounds.left += sx;
    bounds.right += sx;
    bounds.top += sy;
    bounds.bottom += sy;
}

void DrawObject::setHandle(int handle, int x, int y)
{
    switch (handle) {
    case 1:
        p1 = QPoint(x, y);
        break;
    case 2:
        p2 = QPoint(x, y);
        break;
    case 3:
        p2.setX(x);
        p1.setY(y);
        break;
    case 4:
        p1.setX(x);
        p2.setY(y);
        break;
    default:
        break;
    }
}

bool DrawObject::nudgeLeft()
{
    if (p1.x() <= 0 || p2.x() <= 0 || bounds.left <= 0 || bounds.right <= 0)
        return false;
    p1.rx() -= step;
    p2.rx() -= step;
    bounds.left -= step;
    bounds.right -= step;
    return true;
}

bool DrawObject::nudgeRight(int canvasWidth)
{
    const int w = canvasWidth;
    if (p1.x() >= w || p2.x() >= w || bounds.left >= w || bounds.right >= w)
        return false;
    p1.rx() += step;
    p2.rx() += step;
    bounds.left += step;
    bounds.right += step;
    return true;
}

bool DrawObject::nudgeUp()
{
    if (p1.y() <= 0 || p2.y() <= 0 || bounds.top <= 0 || bounds.bottom <= 0)
        return false;
    p1.ry() -= step;
    p2.ry() -= step;
    bounds.top -= step;
    bounds.bottom -= step;
    return true;
}

bool DrawObject::nudgeDown(int canvasHeight)
{
    const int h = canvasHeight;
    if (p1.y() >= h || p2.y() >= h || bounds.top >= h || bounds.bottom >= h)
        return false;
    p1.ry() += step;
    p2.ry() += step;
    bounds.top += step;
    bounds.bottom += step;
    return true;
}

int DrawObject::hitTest(int x, int y) const
{
    switch (kind) {
    case ToolKind::Picture: {
        const int handle = cornerHandleAt(bounds, x, y);
        if (handle != Miss)
            return handle;
        const bool inside =
            bounds.left <= x && x < bounds.right && bounds.top <= y && y < bounds.bottom;
        return inside ? BodyHit : Miss;
    }
    case ToolKind::Square:
    case ToolKind::Blur: {
        const int handle = cornerHandleAt(bounds, x, y);
        if (handle != Miss)
            return handle;
        return bounds.rect().contains(x, y) ? BodyHit : Miss;
    }
    case ToolKind::Line:
    case ToolKind::Arrow: {
        if (nearHandle(p1, x, y))
            return 1;
        if (nearHandle(p2, x, y))
            return 2;
        // Crossing a short diagonal gives a line a grab area about ten pixels either side.
        const QLineF diagonal(x - 10, y - 10, x + 10, y + 10);
        const bool crossed =
            QLineF(p1, p2).intersects(diagonal, nullptr) == QLineF::BoundedIntersection;
        return crossed ? BodyHit : Miss;
    }
    case ToolKind::Text:
        return QRect(p1, textExtent(text, size)).contains(x, y) ? BodyHit : Miss;
    default:
        return Miss;
    }
}

bool DrawObject::operator==(const DrawObject &other) const
{
    return kind == other.kind && size == other.size && color == other.color && text == other.text &&
           pictureIndex == other.pictureIndex && p1 == other.p1 && p2 == other.p2 &&
           bounds == other.bounds && live == other.live && selected == other.selected &&
           fill == other.fill && opacity == other.opacity && caret == other.caret &&
           step == other.step && emphasis == other.emphasis && serial == other.serial &&
           renderTarget == other.renderTarget && renderToTarget == other.renderToTarget;
}

bool canCarryBadge(ToolKind kind)
{
    return kind == ToolKind::Text || kind == ToolKind::Line || kind == ToolKind::Square ||
           kind == ToolKind::Arrow;
}

int layerOf(const DrawObject &object)
{
    switch (object.kind) {
    case ToolKind::Picture:
        return 0;
    case ToolKind::Blur:
        return 1;
    case ToolKind::Square:
        return object.emphasis == 1 ? 2 : 1;
    case ToolKind::Line:
    case ToolKind::Arrow:
    case ToolKind::Text:
        return object.emphasis == 1 ? 2 : 3;
    default:
        return 3;
    }
}
