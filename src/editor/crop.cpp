#include "crop.h"

#include "textmetrics.h"

#include <QPainter>

#include <optional>

namespace Crop {

namespace {

bool hasPicture(const DrawObject &object, const QList<QPixmap> &pictures)
{
    return object.kind == ToolKind::Picture && object.pictureIndex >= 0 &&
           object.pictureIndex < pictures.size();
}

qint64 floorDiv(qint64 numerator, qint64 denominator)
{
    return numerator / denominator;
}
qint64 ceilDiv(qint64 numerator, qint64 denominator)
{
    return (numerator + denominator - 1) / denominator;
}

DrawObject withPicture(DrawObject object, QList<QPixmap> &pictures, const QPixmap &pixmap,
                       const QRect &placed)
{
    pictures.append(pixmap);
    object.pictureIndex = int(pictures.size()) - 1;
    object.setPoints(placed.left(), placed.top(), placed.left() + placed.width(),
                     placed.top() + placed.height());
    object.normalize(0, 0);
    return object;
}

DrawObject croppedBase(const DrawObject &base, QList<QPixmap> &pictures, const QRect &area)
{
    QPixmap cut(area.size());
    cut.fill(Qt::white);
    {
        QPainter painter(&cut);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(base.bounds.rect().translated(-area.topLeft()),
                           pictures.at(base.pictureIndex));
    }
    return withPicture(base, pictures, cut, QRect(QPoint(0, 0), area.size()));
}

std::optional<DrawObject> croppedPicture(const DrawObject &object, QList<QPixmap> &pictures,
                                         const QRect &area)
{
    const QRect shown = object.bounds.rect();
    const QRect visible = shown & area;
    if (visible.isEmpty())
        return std::nullopt;
    const QPixmap pixmap = pictures.at(object.pictureIndex);
    const QRect source = pictureSourceRect(pixmap.size(), shown, visible);
    if (source.isEmpty())
        return std::nullopt;
    return withPicture(object, pictures, pixmap.copy(source), visible.translated(-area.topLeft()));
}

// What an annotation covers on the canvas, at least one pixel across so that a straight line
// still meets the area it runs through.
QRect footprint(const DrawObject &object)
{
    if (object.kind == ToolKind::Text)
        return QRect(object.p1, textExtent(object.text, object.size));
    return QRect(object.p1, object.p2).normalized();
}

DrawObject movedInto(DrawObject object, const QRect &area)
{
    const QPoint shift = -area.topLeft();
    object.p1 += shift;
    object.p2 += shift;
    object.bounds.left += shift.x();
    object.bounds.right += shift.x();
    object.bounds.top += shift.y();
    object.bounds.bottom += shift.y();
    object.normalize(area.width(), area.height());
    return object;
}

} // namespace

QRect cropArea(QPoint p1, QPoint p2)
{
    return QRect(p1, p2 - QPoint(1, 1)).normalized();
}

QRect pictureSourceRect(QSize pixmapSize, const QRect &shown, const QRect &part)
{
    if (shown.width() <= 0 || shown.height() <= 0)
        return QRect();
    const qint64 pw = pixmapSize.width();
    const qint64 ph = pixmapSize.height();
    const qint64 w = shown.width();
    const qint64 h = shown.height();
    const qint64 x = shown.left();
    const qint64 y = shown.top();
    const QPoint topLeft(int(floorDiv(pw * (part.left() - x), w)),
                         int(floorDiv(ph * (part.top() - y), h)));
    const QPoint bottomRight(int(ceilDiv(pw * (part.right() + 1 - x), w)) - 1,
                             int(ceilDiv(ph * (part.bottom() + 1 - y), h)) - 1);
    return QRect(topLeft, bottomRight) & QRect(QPoint(0, 0), pixmapSize);
}

QList<DrawObject> croppedObjects(const QList<DrawObject> &objects, QList<QPixmap> &pictures,
                                 const QRect &area)
{
    QList<DrawObject> result;
    for (int i = 0; i < objects.size(); ++i) {
        const DrawObject &object = objects.at(i);
        if (hasPicture(object, pictures)) {
            if (i == 0) {
                result.append(croppedBase(object, pictures, area));
            } else if (const auto cut = croppedPicture(object, pictures, area)) {
                result.append(*cut);
            }
        } else if (footprint(object).intersects(area)) {
            result.append(movedInto(object, area));
        }
    }
    return result;
}

} // namespace Crop
