#pragma once

#include <QRect>
#include <QSize>

// Where the editor window goes around its image; plain geometry so it can be checked directly.
namespace WindowSizing {

// The window that first shows a capture: image plus frame, kept inside the screen's available
// area and no smaller than the window's minimum, centred 25 pixels above the middle.
QRect editorGeometry(const QSize &image, const QRect &available, const QSize &minimum);

// The window fitted to the canvas, at most 80 % of the available area.
QSize fittedToCanvas(const QSize &canvas, const QSize &available);

// The blank editor's window: 80 % of the available area, at most 800 × 600.
QSize blankEditorSize(const QSize &available);

// The blank canvas: the visible part of the scroll area, or the window less its frame.
QSize blankCanvasSize(const QSize &viewport, const QSize &window);

} // namespace WindowSizing
