#include "decorations.h"
#include "paintcache.h"
#include "painters.h"

QImage blurArea(const QImage &composite, const QRect &area)
{
    const QImage cut = composite.copy(area);
    if (area.width() <= 1 || area.height() <= 1)
        return cut;
    // Pixelate by a fifth and scale back smoothly: coarse enough to hide text, soft to the eye.
    const auto reduced = [](int side) { return side <= 9 ? 1 : side / 5; };
    return cut
        .scaled(reduced(cut.width()), reduced(cut.height()), Qt::IgnoreAspectRatio,
                Qt::SmoothTransformation)
        .scaled(cut.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void BlurPainter::paint(QPainter &painter, const DrawObject &object,
                        const PaintContext &context) const
{
    if (context.pictures.isEmpty() || context.canvasSize.isEmpty())
        return;
    painter.save();
    const QRect rect = object.bounds.rect();
    // Blurs read the pictures only, so annotations beneath never bleed into them.
    const QRect area = rect.isEmpty() ? QRect() : rect & QRect(QPoint(), context.canvasSize);
    if (!area.isEmpty()) {
        const QImage blurred = context.cache
                                   ? context.cache->blurredArea(area)
                                   : blurArea(composePictures(context.objects, context.visibleCount,
                                                              context.pictures, context.canvasSize),
                                              area);
        painter.drawImage(area.topLeft(), blurred);
    }
    if (object.selected) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(rect);
        drawCornerHandles(painter, object.bounds, context.handleRadius);
    }
    painter.restore();
}
