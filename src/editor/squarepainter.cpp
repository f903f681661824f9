#include "decorations.h"
#include "painters.h"

void SquarePainter::paint(QPainter &painter, const DrawObject &object,
                          const PaintContext &context) const
{
    constexpr double cornerRadius = 7.0;
    const QRect rect = object.bounds.rect();
    painter.save();
    painter.setOpacity(object.opacity);

    painter.setPen(QPen(QColor(0, 0, 0, 70), object.size + 2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(object.fill ? QBrush(QColor(0, 0, 0, 55)) : QBrush(Qt::NoBrush));
    painter.drawRoundedRect(rect.translated(1, 1), cornerRadius, cornerRadius);

    painter.setBrush(object.fill ? QBrush(object.color) : QBrush(Qt::NoBrush));
    painter.setPen(QPen(object.color, object.size, Qt::SolidLine, Qt::RoundCap));
    painter.drawRoundedRect(rect, cornerRadius, cornerRadius);

    if (object.emphasis == 1)
        drawBadge(painter, object.p2, object, context);
    if (object.selected)
        drawCornerHandles(painter, object.bounds, context.handleRadius);
    painter.restore();
}
