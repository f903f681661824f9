#include "decorations.h"
#include "painters.h"

#include <algorithm>

namespace {

// Pixelate by a fifth and scale back smoothly: coarse enough to hide text, soft to the eye.
QImage blurred(const QImage &area)
{
    const auto reduced = [](int side) { return side <= 9 ? 1 : side / 5; };
    return area
        .scaled(reduced(area.width()), reduced(area.height()), Qt::IgnoreAspectRatio,
                Qt::SmoothTransformation)
        .scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

void BlurPainter::paint(QPainter &painter, const DrawObject &object,
                        const PaintContext &context) const
{
    if (context.pictures.isEmpty() || context.canvasSize.isEmpty())
        return;
    painter.save();
    const QRect area = object.bounds.rect();
    if (!area.isEmpty()) {
        // Blurs read the pictures only, so annotations beneath never bleed into them.
        const QImage &composite = context.pictureComposite();
        const QRect r = area & composite.rect();
        if (r.width() > 1 && r.height() > 1)
            painter.drawImage(r.topLeft(), blurred(composite.copy(r)));
        else if (!r.isEmpty())
            painter.drawImage(r.topLeft(), composite, r);
    }
    if (object.selected) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(area);
        drawCornerHandles(painter, object.bounds, context.handleRadius);
    }
    painter.restore();
}
