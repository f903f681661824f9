#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the recorder's companion windows go around its bar. The bar sits on top; below it the
// left and right borders frame the capture area, and the bottom border with its corner piece
// closes it. Pure geometry, in global logical pixels.
struct RecorderLayout
{
    QPoint settingsPopup;
    QRect leftBorder;
    QRect rightBorder;
    QRect captureArea;
    QRect bottomBorder;
    QRect cornerPiece;
    // Inside the capture area.
    QRect progressBar;

    static inline constexpr int borderWidth = 5;
    static inline constexpr int barHeight = 39;
    static inline constexpr int minimumCaptureHeight = 100;

    // `bar` is the bar's frame; `timelineHeight` is 0 unless a timeline sits in the group.
    static RecorderLayout around(const QRect &bar, const QSize &captureSize, int timelineHeight);
};

// The bar's width for a capture area of this width.
int barWidthFor(int captureWidth);

// The smallest capture area under a bar that needs `barMinimumWidth`: the bar spans the area and
// its borders, and must not squeeze its buttons.
QSize minimumCaptureSize(int barMinimumWidth);

// A capture size dragged from `start` by `offset`, in the directions the dragged piece moves
// (right border: width, bottom border: height, corner: both); never below `minimum`.
QSize draggedCaptureSize(const QSize &start, const QPoint &offset, bool width, bool height,
                         const QSize &minimum);

// The bar's position while its handle is dragged: the wanted position kept on the virtual
// desktop, below the top of the primary screen's available area and with room for the capture
// area under it.
QPoint clampedBarPosition(const QPoint &wanted, const QSize &barSize, int captureHeight,
                          const QSize &desktopSize, int availableTop);
