#include "decorations.h"
#include "painters.h"

void LinePainter::paint(QPainter &painter, const DrawObject &object,
                        const PaintContext &context) const
{
    painter.save();
    painter.setOpacity(object.opacity);
    painter.setPen(QPen(QColor(0, 0, 0, 70), object.size + 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(object.p1 + QPoint(1, 1), object.p2 + QPoint(1, 1));
    painter.setPen(QPen(object.color, object.size, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(object.p1, object.p2);
    if (object.emphasis == 1)
        drawBadge(painter, object.p1, object, context);
    if (object.selected)
        drawHandles(painter, {object.p1, object.p2}, context.handleRadius);
    painter.restore();
}
