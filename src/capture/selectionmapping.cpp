#include "selectionmapping.h"

#include <QPointF>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int WholeDesktopLimit = 10;

QRect scaled(const QRect &rect, qreal ratio)
{
    return QRect(qRound(rect.x() * ratio), qRound(rect.y() * ratio), qRound(rect.width() * ratio),
                 qRound(rect.height() * ratio));
}

QSize scaled(const QSize &size, qreal ratio)
{
    return QSize(qRound(size.width() * ratio), qRound(size.height() * ratio));
}

QRect deviceRect(const ScreenPlacement &screen)
{
    return QRect(screen.geometry.topLeft(), scaled(screen.geometry.size(), screen.ratio));
}

// The logical point that `screen`'s coordinates give to the device pixel `device`.
QPoint logicalPoint(const ScreenPlacement &screen, const QPoint &device)
{
    const QPoint corner = screen.geometry.topLeft();
    return corner + (QPointF(device - corner) / screen.ratio).toPoint();
}

} // namespace

DesktopLayout::DesktopLayout(const QList<ScreenPlacement> &screens, int primary) : screens(screens)
{
    if (primary < 0 || primary >= screens.size()) {
        this->screens.clear();
        return;
    }
    for (const ScreenPlacement &screen : screens)
        device |= deviceRect(screen);
    imageRatio = screens.at(primary).ratio;

    // A window's logical geometry is read in the coordinates of the monitor that holds its centre.
    // The origin is therefore given in the coordinates of a monitor of the image's ratio that then
    // holds the selector's centre, so the window lands on deviceGeometry() exactly.
    const QSize logicalSize = scaled(device.size(), 1.0 / imageRatio);
    QList<int> order{primary};
    for (int index = 0; index < screens.size(); ++index)
        if (index != primary && qFuzzyCompare(screens.at(index).ratio, imageRatio))
            order << index;
    logicalOrigin = logicalPoint(screens.at(primary), device.topLeft());
    for (int index : order) {
        const QPoint candidate = logicalPoint(screens.at(index), device.topLeft());
        if (screens.at(index).geometry.contains(QRect(candidate, logicalSize).center())) {
            logicalOrigin = candidate;
            break;
        }
    }
}

QRect DesktopLayout::imageArea(int index) const
{
    return deviceRect(screens.at(index)).translated(-device.topLeft());
}

QPoint DesktopLayout::imagePixel(const QPoint &global) const
{
    for (const ScreenPlacement &screen : screens) {
        if (screen.geometry.contains(global)) {
            const QPoint corner = screen.geometry.topLeft();
            return corner + (QPointF(global - corner) * screen.ratio).toPoint() - device.topLeft();
        }
    }
    return (QPointF(global - logicalOrigin) * imageRatio).toPoint();
}

QPoint DesktopLayout::overlayPoint(const QPoint &global, const QPoint &overlayCorner) const
{
    const QPoint corner = overlayCorner == logicalOrigin ? QPoint() : imagePixel(overlayCorner);
    return (QPointF(imagePixel(global) - corner) / imageRatio).toPoint();
}

QRect overlayGeometry(const DesktopLayout &desktop, const QSizeF &frozenLogicalSize)
{
    return QRect(desktop.origin(),
                 QSize(qRound(frozenLogicalSize.width()), qRound(frozenLogicalSize.height())));
}

QRect framedRectangle(const QPoint &start, const QPoint &current)
{
    return QRect(QPoint(std::min(start.x(), current.x()), std::min(start.y(), current.y())),
                 QPoint(std::max(start.x(), current.x()), std::max(start.y(), current.y())));
}

bool isCancelledSelection(const QPoint &p1, const QPoint &p2)
{
    const QPoint cancel(-1, -1);
    return p1 == cancel && p2 == cancel;
}

QRect cropRectangle(const QPoint &p1, const QPoint &p2, const QPoint &origin,
                    const QSize &imagePixels, qreal ratio)
{
    const QRect wholeImage(QPoint(0, 0), imagePixels);
    const QPoint drag = p2 - p1;
    if (std::abs(drag.x()) <= WholeDesktopLimit || std::abs(drag.y()) <= WholeDesktopLimit)
        return wholeImage;
    return scaled(framedRectangle(p1 - origin, p2 - origin), ratio) & wholeImage;
}
