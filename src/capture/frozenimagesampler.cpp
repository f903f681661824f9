#include "frozenimagesampler.h"

#include <algorithm>

const QImage &FrozenImageSampler::imageOf(const QPixmap &frozen)
{
    if (frozen.cacheKey() != cachedKey || cached.isNull()) {
        cached = frozen.toImage();
        cachedKey = frozen.cacheKey();
    }
    return cached;
}

QColor FrozenImageSampler::colorAt(const QPixmap &frozen, const QPoint &point)
{
    if (frozen.isNull())
        return QColor();
    const QImage &image = imageOf(frozen);
    const qreal ratio = frozen.devicePixelRatio();
    const int x = std::clamp(qRound(point.x() * ratio), 0, image.width() - 1);
    const int y = std::clamp(qRound(point.y() * ratio), 0, image.height() - 1);
    return image.pixelColor(x, y);
}

FrozenImageSampler::Square FrozenImageSampler::squareAround(const QPixmap &frozen,
                                                            const QPoint &point)
{
    if (frozen.isNull())
        return {};
    const QImage &image = imageOf(frozen);
    const qreal ratio = frozen.devicePixelRatio();
    const int side = qRound(13 * ratio);
    const QRect source(qRound((point.x() - 6) * ratio), qRound((point.y() - 6) * ratio), side,
                       side);
    const QRect inside = source & image.rect();
    Square square;
    square.pixels = image.copy(inside);
    square.pixels.setDevicePixelRatio(ratio);
    square.cutLeft = source.left() < 0;
    square.cutTop = source.top() < 0;
    return square;
}
