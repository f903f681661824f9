#pragma once

#include "drawobject.h"

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>

#include <functional>

// What a painter may read besides the object it paints.
struct PaintContext
{
    const QList<DrawObject> &objects;
    const QList<QPixmap> &pictures;
    // Objects 0 .. visibleCount - 1 take part in painting.
    int visibleCount = 0;
    QSize canvasSize;
    int handleRadius = 7;
    // The visible pictures composed on white at canvas size: what a blur blurs.
    std::function<const QImage &()> pictureComposite;
};
