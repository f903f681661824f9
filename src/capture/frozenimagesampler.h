#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>

// Reads pixels of the frozen picture for the loupe. The overlay repaints on every mouse move, and
// turning a 4K pixmap into an image costs tens of megabytes each time, so the image is made once
// per pixmap and kept.
class FrozenImageSampler
{
public:
    // Points are in logical pixels of the pixmap; they are scaled by its device pixel ratio.
    QColor colorAt(const QPixmap &frozen, const QPoint &point);

    // The pixels of the 13 x 13 logical square centred on `point`, cut at the image's edges; the
    // copy keeps the ratio. `cutLeft` / `cutTop` tell whether the left or top edge cut it.
    struct Square
    {
        QImage pixels;
        bool cutLeft = false;
        bool cutTop = false;
    };
    Square squareAround(const QPixmap &frozen, const QPoint &point);

private:
    const QImage &imageOf(const QPixmap &frozen);

    qint64 cachedKey = 0;
    QImage cached;
};
