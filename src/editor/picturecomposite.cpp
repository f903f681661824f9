#include "picturecomposite.h"

#include "painters.h"

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

QList<PictureComposite::Placement> PictureComposite::placementsOf(const QList<DrawObject> &objects,
                                                                  int count,
                                                                  const QList<QPixmap> &pictures)
{
    QList<Placement> result;
    for (int i = 0; i < count && i < objects.size(); ++i) {
        const DrawObject &object = objects.at(i);
        if (object.kind != ToolKind::Picture)
            continue;
        const QPixmap pixmap = pictureOf(object, pictures);
        if (!pixmap.isNull())
            result.append({pixmap.cacheKey(), pictureRect(object, pixmap)});
    }
    return result;
}

const QImage &PictureComposite::get(const QList<DrawObject> &objects, int count,
                                    const QList<QPixmap> &pictures, QSize canvasSize)
{
    QList<Placement> current = placementsOf(objects, count, pictures);
    if (image.isNull() || image.size() != canvasSize || current != placements) {
        image = composePictures(objects, count, pictures, canvasSize);
        placements = std::move(current);
    }
    return image;
}
