#pragma once

#include "drawobject.h"

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QSize>

// The visible Picture objects (the first `count` objects) drawn on white at canvas size, where
// each picture shows on the canvas.
QImage composePictures(const QList<DrawObject> &objects, int count, const QList<QPixmap> &pictures,
                       QSize canvasSize);

// composePictures, redone only when a picture, its place or the canvas size changed: every blur
// of every paint reads the same composite.
class PictureComposite
{
public:
    const QImage &get(const QList<DrawObject> &objects, int count, const QList<QPixmap> &pictures,
                      QSize canvasSize);

private:
    struct Placement
    {
        qint64 pixmapKey;
        QRect target;
        bool operator==(const Placement &other) const
        {
            return pixmapKey == other.pixmapKey && target == other.target;
        }
    };
    static QList<Placement> placementsOf(const QList<DrawObject> &objects, int count,
                                         const QList<QPixmap> &pictures);

    QList<Placement> placements;
    QImage image;
};
