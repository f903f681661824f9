#pragma once

#include "capturecursor.h"
#include "selectionmapping.h"

#include <QPixmap>
#include <QPoint>

#include <functional>

// The monitors as Qt reports them now; null without a primary screen.
DesktopLayout currentDesktopLayout();

// Draws the cursor picture so that its hot spot lands on `pointerPixel`, a pixel of the desktop
// image. Size and hot spot are scaled by the image's device pixel ratio and worked out in image
// pixels, so the picture keeps its place on an image of any ratio. A pointer outside the image is
// left out.
void drawCursor(QPixmap &desktop, const CapturedCursor &cursor, const QPoint &pointerPixel);

using CursorSource = std::function<CapturedCursor()>;

// The frozen desktop: every monitor in one image where it really lies, whichever is the primary,
// device pixel ratio of the primary screen, the cursor from `cursorSource` drawn in at the pointer.
// Null without a primary screen or when a monitor cannot be grabbed. A source that gives a null
// picture leaves the cursor out.
QPixmap grabDesktop(const CursorSource &cursorSource);
QPixmap grabDesktop();
