#include "windowsizing.h"

#include <QtMath>
#include <algorithm>

namespace WindowSizing {

QSize windowAround(const QSize &content, const QSize &limit, const Chrome &chrome)
{
    QSize size = content + chrome.frame;
    const bool cutsWidth = size.width() > limit.width();
    const bool cutsHeight = size.height() > limit.height();
    if (cutsWidth)
        size.rheight() += chrome.scrollBar;
    if (cutsHeight)
        size.rwidth() += chrome.scrollBar;
    return size.boundedTo(limit);
}

QRect editorGeometry(const QSize &image, const QRect &available, const QSize &minimum,
                     const Chrome &chrome)
{
    const QSize limit(available.width() - 50, available.height() - 150);
    QRect geometry(QPoint(0, 0), windowAround(image, limit, chrome).expandedTo(minimum));
    geometry.moveCenter(available.center() - QPoint(0, 25));
    return geometry;
}

QSize fittedToCanvas(const QSize &canvas, const QSize &available, const Chrome &chrome)
{
    const QSize limit(qRound(0.8 * available.width()), qRound(0.8 * available.height()));
    return windowAround(canvas, limit, chrome);
}

QSize blankEditorSize(const QSize &available)
{
    return {qRound(std::min(0.8 * available.width(), 800.0)),
            qRound(std::min(0.8 * available.height(), 600.0))};
}

QSize blankCanvasSize(const QSize &viewport, const QSize &window, const Chrome &chrome)
{
    if (viewport.width() > 0 && viewport.height() > 0)
        return viewport;
    return (window - chrome.frame).expandedTo(QSize(1, 1));
}

} // namespace WindowSizing
