#include "recorderlayout.h"

#include <algorithm>

RecorderLayout RecorderLayout::around(const QRect &bar, const QSize &captureSize,
                                      int timelineHeight)
{
    const int x = bar.x(), y = bar.y(), wb = bar.width(), hb = bar.height();
    const int hc = captureSize.height(), t = timelineHeight;
    RecorderLayout layout;
    layout.settingsPopup = QPoint(x + 120, y + 45);
    layout.leftBorder = QRect(x, y + hb, borderWidth, hc + t);
    layout.rightBorder = QRect(x + wb - borderWidth, y + hb, borderWidth, hc + t);
    layout.captureArea = QRect(QPoint(x + borderWidth, y + hb + t), captureSize);
    layout.bottomBorder = QRect(x, y + hb + hc + t, std::max(1, wb - borderWidth), borderWidth);
    layout.cornerPiece = QRect(x + wb - borderWidth, y + hb + hc + t, borderWidth, borderWidth);
    layout.progressBar = QRect(20, hc - 26, std::max(1, captureSize.width() - 40), 16);
    return layout;
}

int barWidthFor(int captureWidth)
{
    return captureWidth + 2 * RecorderLayout::borderWidth;
}

QSize minimumCaptureSize(int barMinimumWidth)
{
    return QSize(std::max(1, barMinimumWidth - 2 * RecorderLayout::borderWidth),
                 RecorderLayout::minimumCaptureHeight);
}

QSize draggedCaptureSize(const QSize &start, const QPoint &offset, bool width, bool height,
                         const QSize &minimum)
{
    return QSize(width ? std::max(minimum.width(), start.width() + offset.x()) : start.width(),
                 height ? std::max(minimum.height(), start.height() + offset.y()) : start.height());
}

QPoint clampedBarPosition(const QPoint &wanted, const QSize &barSize, int captureHeight,
                          const QSize &desktopSize, int availableTop)
{
    const int maxX = std::max(0, desktopSize.width() - barSize.width());
    const int maxY =
        std::max(availableTop, desktopSize.height() - barSize.height() - captureHeight);
    return QPoint(std::clamp(wanted.x(), 0, maxX), std::clamp(wanted.y(), availableTop, maxY));
}
