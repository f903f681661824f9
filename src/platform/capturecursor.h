#pragma once

#include <QPixmap>
#include <QPoint>

// The mouse cursor as it looks right now, for drawing into grabbed frames.
struct CapturedCursor
{
    QPixmap pixmap; // 32-bit ARGB picture of the cursor
    QPoint hotSpot; // hot spot within the picture, in picture pixels
};

// Never fails: when the system gives no picture, the built-in arrow is returned with hot spot (0,
// 0).
CapturedCursor captureCursor();
