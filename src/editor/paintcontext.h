#pragma once

#include "drawobject.h"

#include <QList>
#include <QPixmap>
#include <QSize>

class PaintCache;

// What a painter may read besides the object it paints.
struct PaintContext
{
    const QList<DrawObject> &objects;
    const QList<QPixmap> &pictures;
    // Objects 0 .. visibleCount - 1 take part in painting.
    int visibleCount = 0;
    QSize canvasSize;
    int handleRadius = 7;
    // Null: everything is painted afresh.
    PaintCache *cache = nullptr;
};
