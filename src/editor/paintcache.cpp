#include "paintcache.h"

#include <QPainter>

QImage composePictures(const QList<DrawObject> &objects, int count, const QList<QPixmap> &pictures,
                       QSize canvasSize)
{
    QImage composite(canvasSize, QImage::Format_ARGB32_Premultiplied);
    composite.fill(Qt::white);
    QPainter painter(&composite);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < count && i < objects.size(); ++i) {
        const DrawObject &object = objects.at(i);
        if (object.kind != ToolKind::Picture)
            continue;
        const QPixmap pixmap = pictureOf(object, pictures);
        // Placed as the canvas shows it, so a resized picture blurs what the user sees.
        if (!pixmap.isNull())
            painter.drawPixmap(pictureRect(object, pixmap), pixmap);
    }
    return composite;
}

void PaintCache::beginPaint(const QList<DrawObject> &paintedObjects, int paintedCount,
                            const QList<QPixmap> &paintedPictures, QSize paintedCanvasSize)
{
    objects = &paintedObjects;
    pictures = &paintedPictures;
    count = paintedCount;

    QList<Placement> current;
    for (int i = 0; i < count && i < objects->size(); ++i) {
        const DrawObject &object = objects->at(i);
        if (object.kind != ToolKind::Picture)
            continue;
        const QPixmap pixmap = pictureOf(object, *pictures);
        if (!pixmap.isNull())
            current.append({pixmap.cacheKey(), pictureRect(object, pixmap)});
    }
    if (current != placements || paintedCanvasSize != canvasSize) {
        placements = std::move(current);
        canvasSize = paintedCanvasSize;
        composite = QImage();
        areas = {};
    }
    areas.age();
    halos.age();
}

QImage PaintCache::blurredArea(const QRect &area)
{
    return areas.get(AreaKey{area}, [&] {
        if (composite.isNull())
            composite = composePictures(*objects, count, *pictures, canvasSize);
        return blurArea(composite, area);
    });
}

const TextHalo &PaintCache::textHalo(const QString &text, int size)
{
    return halos.get(HaloKey{text, size}, [&] { return renderTextHalo(text, size); });
}
