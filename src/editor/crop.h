#pragma once

#include "drawobject.h"

#include <QList>
#include <QPixmap>
#include <QRect>
#include <QSize>

// Cutting the document down to a rectangle of the canvas, free of widgets.
namespace Crop {

// The pixels a crop dragged from p1 to p2 keeps: both corners inclusive, so p2 itself is left out.
QRect cropArea(QPoint p1, QPoint p2);

// The pixels of a pixmap of `pixmapSize`, shown stretched over `shown`, that cover `part` of the
// canvas. Partly covered pixels are kept, so the cut never loses an edge.
QRect pictureSourceRect(QSize pixmapSize, const QRect &shown, const QRect &part);

// The objects as they stand after cropping to `area`, in canvas pixels of the cropped canvas.
// The base picture (the first object) becomes a new pixmap of the area's size, white where it
// did not reach; other pictures are cut to their visible part; both are appended to `pictures`.
// Objects wholly outside the area are left out.
QList<DrawObject> croppedObjects(const QList<DrawObject> &objects, QList<QPixmap> &pictures,
                                 const QRect &area);

} // namespace Crop
