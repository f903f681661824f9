#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>

// One monitor as Qt reports it: its geometry in global logical pixels and its device pixel ratio.
// Qt keeps a monitor's top-left corner at its position in device pixels and scales only its size,
// so with a ratio other than 1 the logical rectangles of neighbouring monitors leave gaps between
// them; only device pixels tell how the monitors really lie.
struct ScreenPlacement
{
    QRect geometry;
    qreal ratio = 1.0;
};

// The virtual desktop as the monitors really lie, whichever of them is the primary one: where the
// frozen image takes each monitor's pixels from, and where the region selector must be put so that
// each image pixel lies under the screen point it was grabbed from.
class DesktopLayout
{
public:
    DesktopLayout() = default;
    // `primary` indexes `screens`; its ratio is the frozen image's ratio.
    DesktopLayout(const QList<ScreenPlacement> &screens, int primary);

    bool isNull() const { return screens.isEmpty(); }

    // The union of all monitors in device pixels: the frozen image covers exactly this.
    QRect deviceGeometry() const { return device; }
    qreal ratio() const { return imageRatio; }
    // The virtual desktop's real origin: the global logical point at which the selector must
    // start to cover deviceGeometry().
    QPoint origin() const { return logicalOrigin; }

    // Where monitor `index` goes in the frozen image, in image pixels.
    QRect imageArea(int index) const;
    // The frozen image pixel under a global logical point (the pointer, for example).
    QPoint imagePixel(const QPoint &global) const;
    // The point of a selector whose corner lies at `overlayCorner` that is under a global logical
    // point. A selector at origin() shows image pixel (0, 0) at its corner; its corner is not
    // mapped itself, as that logical point may also lie inside another monitor's rectangle.
    QPoint overlayPoint(const QPoint &global, const QPoint &overlayCorner) const;

private:
    QList<ScreenPlacement> screens;
    QRect device;
    qreal imageRatio = 1.0;
    QPoint logicalOrigin;
};

// Where a region selector goes: at the virtual desktop's origin, with the frozen image's
// device-independent size, rounded.
QRect overlayGeometry(const DesktopLayout &desktop, const QSizeF &frozenLogicalSize);

// The pixels a selection between two corner pixels frames, both corners included, whichever way
// it was dragged.
QRect framedRectangle(const QPoint &start, const QPoint &current);

// The selector answers (-1, -1), (-1, -1) when it was cancelled.
bool isCancelledSelection(const QPoint &p1, const QPoint &p2);

// The rectangle of the frozen image, in image pixels, that a selection from `p1` to `p2` (the
// selector's global points) framed, for a selector whose top-left corner lay at `origin` and
// showed an image of `imagePixels` at `ratio`: the rectangle the selector left undimmed and
// whose size its loupe showed, clipped to the image. A drag of 10 logical pixels or less in
// either direction (a plain click) keeps the whole image.
QRect cropRectangle(const QPoint &p1, const QPoint &p2, const QPoint &origin,
                    const QSize &imagePixels, qreal ratio);
