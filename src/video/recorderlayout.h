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
    static inline constexpr int minimumBarWidth = 300;
    static inline constexpr int minimumCaptureHeight = 100;
    // The bar is never narrower than its minimum, and the capture area spans the bar.
    static inline constexpr int minimumCaptureWidth = minimumBarWidth - 2 * borderWidth;

    // `bar` is the bar's frame; `timelineHeight` is 0 unless a timeline sits in the group.
    static RecorderLayout around(const QRect &bar, const QSize &captureSize, int timelineHeight);
};

// The bar's width for a capture area of this width.
int barWidthFor(int captureWidth);

// A capture size dragged from `start` by `offset`, in the directions the dragged piece moves
// (right border: width, bottom border: height, corner: both); never below the minimum size.
QSize draggedCaptureSize(const QSize &start, const QPoint &offset, bool width, bool height);

// The bar's position while its handle is dragged: the wanted position kept on the virtual
// desktop, below the top of the primary screen's available area and with room for the capture
// area under it.
QPoint clampedBarPosition(const QPoint &wanted, const QSize &barSize, int captureHeight,
                          const QSize &desktopSize, int availableTop);
