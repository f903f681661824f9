#pragma once

#include <QRect>
#include <QSize>

// Where the editor window goes around its image; plain geometry so it can be checked directly.
namespace WindowSizing {

// What the window adds around its canvas, measured on the real widgets.
struct Chrome
{
    QSize frame;       // layout margins, toolbar, spacing and the scroll area's frame
    int scrollBar = 0; // the room a scroll bar takes across its direction
};

// The window around content, at most limit. Where the content is cut in one direction, that
// direction's scroll bar is added to the other, so the cut does not bring a second scroll bar.
QSize windowAround(const QSize &content, const QSize &limit, const Chrome &chrome);

// The window that first shows a capture: image plus chrome, at most 50 × 150 pixels less than the
// screen's available area and no smaller than the window's minimum, centred 25 pixels above the
// middle.
QRect editorGeometry(const QSize &image, const QRect &available, const QSize &minimum,
                     const Chrome &chrome);

// The window fitted to the canvas, at most 80 % of the available area.
QSize fittedToCanvas(const QSize &canvas, const QSize &available, const Chrome &chrome);

// The blank editor's window: 80 % of the available area, at most 800 × 600.
QSize blankEditorSize(const QSize &available);

// The blank canvas: the visible part of the scroll area, or the window less its chrome.
QSize blankCanvasSize(const QSize &viewport, const QSize &window, const Chrome &chrome);

} // namespace WindowSizing
