#include "decorations.h"
#include "painters.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

QColor opaque(QColor color)
{
    color.setAlpha(255);
    return color;
}

} // namespace

void ArrowPainter::paint(QPainter &painter, const DrawObject &object,
                         const PaintContext &context) const
{
    const QPointF tail(object.p1);
    const QPointF tip(object.p2);
    const QPointF delta = tip - tail;
    const double length = std::hypot(delta.x(), delta.y());
    if (length <= 0)
        return;

    // The head grows with the pen but never takes more than 45 % of a short arrow.
    const double headLength = std::min(0.45 * length, std::max(3.8 * object.size, 14.0));
    const double halfWidth = 0.42 * headLength;
    const QPointF u = delta / length;
    const QPointF n(-u.y(), u.x());
    const QPointF base = tip - headLength * u;
    const QPointF left = base + halfWidth * n;
    const QPointF right = base - halfWidth * n;
    const QPolygonF head{tip, left, right};
    const QPointF shadowOffset(1, 1);
    const QColor shadow(0, 0, 0, 105);

    painter.save();
    painter.setOpacity(1.0);

    painter.setPen(QPen(shadow, object.size + 2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(tail + shadowOffset, base + shadowOffset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawPolygon(head.translated(shadowOffset));

    painter.setPen(QPen(object.color, object.size, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(tail, base);
    painter.setPen(Qt::NoPen);
    painter.setBrush(object.color);
    painter.drawPolygon(head);

    // Three facets give the head a ridge along the shaft.
    const double m = 0.18 * halfWidth;
    const QPointF ridgeLeft = base + m * n;
    const QPointF ridgeRight = base - m * n;
    painter.setBrush(opaque(object.color.lighter(130)));
    painter.drawPolygon(QPolygonF{tip, ridgeLeft, left});
    painter.setBrush(opaque(object.color.lighter(105)));
    painter.drawPolygon(QPolygonF{tip, ridgeLeft, ridgeRight});
    painter.setBrush(opaque(object.color.darker(115)));
    painter.drawPolygon(QPolygonF{tip, ridgeRight, right});

    if (object.emphasis == 1)
        drawBadge(painter, object.p1, object, context);
    if (object.selected)
        drawHandles(painter, {object.p1, object.p2}, context.handleRadius);
    painter.restore();
}
