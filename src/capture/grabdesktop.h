#pragma once

#include "capturecursor.h"

#include <QPixmap>
#include <QPoint>
#include <QRect>

#include <functional>

// The union of all screens in logical pixels, or a null rectangle when there is no primary screen.
QRect virtualDesktopGeometry();

// Draws the cursor picture so that its hot spot lands on `cursorPosition` (global logical pixels)
// of a desktop image covering `virtualGeometry`. Position and size are worked out in image pixels,
// so the picture keeps its place on a desktop image of any device pixel ratio. A cursor outside
// the desktop is left out.
void drawCursor(QPixmap &desktop, const QRect &virtualGeometry, const CapturedCursor &cursor,
                const QPoint &cursorPosition);

using CursorSource = std::function<CapturedCursor()>;

// The frozen desktop: every screen in one image, device pixel ratio of the primary screen, the
// cursor from `cursorSource` drawn in at the pointer. Null without a primary screen.
QPixmap grabDesktop(const CursorSource &cursorSource);
QPixmap grabDesktop();
