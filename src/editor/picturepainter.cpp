#include "decorations.h"
#include "painters.h"

QRect pictureRect(const DrawObject &picture, const QPixmap &pixmap)
{
    const DrawBounds &b = picture.bounds;
    return QRect(b.left, b.top, b.width < 1 ? pixmap.width() : b.width,
                 b.height < 1 ? pixmap.height() : b.height);
}

QPixmap pictureOf(const DrawObject &picture, const QList<QPixmap> &pictures)
{
    if (picture.pictureIndex < 0 || picture.pictureIndex >= pictures.size())
        return QPixmap();
    return pictures.at(picture.pictureIndex);
}

void PicturePainter::paint(QPainter &painter, const DrawObject &object,
                           const PaintContext &context) const
{
    const QPixmap pixmap = pictureOf(object, context.pictures);
    if (pixmap.isNull())
        return;
    painter.save();
    const QRect target = pictureRect(object, pixmap);
    painter.drawPixmap(target, pixmap);
    if (object.selected) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(target);
        drawCornerHandles(painter, object.bounds, context.handleRadius);
    }
    painter.restore();
}
