#include "painters.h"

void SelectionPreviewPainter::paint(QPainter &painter, const DrawObject &object,
                                    const PaintContext &context) const
{
    Q_UNUSED(context);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QPen pen(Qt::white, 1, Qt::SolidLine, Qt::RoundCap);
    pen.setDashPattern({8, 4});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // White AND NOT destination inverts whatever lies under the frame, so it shows on any picture.
    painter.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination);
    painter.drawRect(object.bounds.rect());
    painter.restore();
}
