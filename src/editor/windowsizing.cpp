#include "windowsizing.h"

#include <QtMath>
#include <algorithm>

namespace WindowSizing {

QRect editorGeometry(const QSize &image, const QRect &available, const QSize &minimum)
{
    const int w = available.width();
    const int h = available.height();
    QRect geometry(0, 0, image.width() + 5, image.height() + 40);
    if (image.width() >= w - 49)
        geometry.setWidth(w - 50);
    if (image.height() >= h - 149)
        geometry.setHeight(h - 150);
    geometry.setSize(geometry.size().expandedTo(minimum));
    geometry.moveCenter(available.center() - QPoint(0, 25));
    return geometry;
}

QSize fittedToCanvas(const QSize &canvas, const QSize &available)
{
    return {std::min(canvas.width() + 1, qRound(0.8 * available.width())),
            std::min(canvas.height() + 31, qRound(0.8 * available.height()))};
}

QSize blankEditorSize(const QSize &available)
{
    return {qRound(std::min(0.8 * available.width(), 800.0)),
            qRound(std::min(0.8 * available.height(), 600.0))};
}

QSize blankCanvasSize(const QSize &viewport, const QSize &window)
{
    if (viewport.width() > 0 && viewport.height() > 0)
        return viewport;
    return {std::max(window.width() - 29, 1), std::max(window.height() - 59, 1)};
}

} // namespace WindowSizing
