#include "timelinegeometry.h"

#include <QtGlobal>

#include <algorithm>
#include <numeric>

namespace {

constexpr int edgeGrab = 7;
constexpr int thumbnailWidth = 40;
// The ruler and the bottom line below the frame strip.
constexpr int belowStrip = 20;

} // namespace

LaneAssignment assignLanes(const QList<TimelineBand> &bands)
{
    QList<int> order(bands.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return bands[a].startMs < bands[b].startMs; });

    LaneAssignment result;
    result.laneOf.resize(bands.size());
    QList<qint64> laneEnds;
    for (int i : order) {
        const TimelineBand &band = bands[i];
        const auto free = std::find_if(laneEnds.begin(), laneEnds.end(),
                                       [&](qint64 end) { return end <= band.startMs; });
        if (free == laneEnds.end()) {
            result.laneOf[i] = int(laneEnds.size());
            laneEnds.append(band.endMs);
        } else {
            result.laneOf[i] = int(free - laneEnds.begin());
            *free = band.endMs;
        }
    }
    result.count = std::max(1, int(laneEnds.size()));
    return result;
}

int visibleLaneCount(int laneCount)
{
    return std::clamp(laneCount, 1, 3);
}

TimelineGeometry::TimelineGeometry(int width, int height, qint64 durationMs, int firstLane,
                                   int laneCount)
    : width(width), height(height), durationMs(durationMs), firstLane(firstLane),
      laneCount(laneCount), visible(visibleLaneCount(laneCount))
{
}

// In integers: a time on a pixel boundary must not fall a pixel or a millisecond short.
int TimelineGeometry::xAt(qint64 ms) const
{
    if (durationMs < 1)
        return 2;
    const qint64 scaled = 2 * ms * (width - 6);
    const qint64 twice = 2 * durationMs;
    const qint64 rounded =
        scaled >= 0 ? (scaled + durationMs) / twice : -((-scaled + durationMs) / twice);
    return int(rounded) + 2;
}

qint64 TimelineGeometry::msAt(int x) const
{
    if (width <= 6)
        return 0;
    const qint64 axis = width - 6;
    return durationMs * std::clamp<qint64>(x - 2, 0, axis) / axis;
}

QRect TimelineGeometry::stripRect() const
{
    return QRect(QPoint(2, 2), QPoint(width - 4, height - 19));
}

int TimelineGeometry::laneHeight() const
{
    return std::max(1, (height - belowStrip) / visible);
}

int TimelineGeometry::laneAt(int y) const
{
    return firstLane + std::clamp((y - 2) / laneHeight(), 0, visible - 1);
}

bool TimelineGeometry::showsLane(int lane) const
{
    return lane >= firstLane && lane < firstLane + visible;
}

int TimelineGeometry::laneTop(int lane) const
{
    return 2 + (lane - firstLane) * laneHeight();
}

BandHit TimelineGeometry::hitTest(const QList<TimelineBand> &bands, const LaneAssignment &lanes,
                                  QPoint point) const
{
    const int lane = laneAt(point.y());
    const int x = point.x();
    for (int i = int(bands.size()) - 1; i >= 0; --i) {
        const TimelineBand &band = bands[i];
        if (band.locked || lanes.laneOf.value(i, -1) != lane)
            continue;
        const int xs = xAt(band.startMs);
        const int xe = xAt(band.endMs);
        if (std::abs(x - xs) < edgeGrab)
            return {i, BandPart::StartEdge};
        if (std::abs(x - xe) < edgeGrab)
            return {i, BandPart::EndEdge};
        if (xs <= x && x <= std::max(xs + 2, xe))
            return {i, BandPart::Body};
    }
    return {};
}

int TimelineGeometry::thumbnailCount() const
{
    return width < 2 * thumbnailWidth ? 1 : width / thumbnailWidth;
}

int TimelineGeometry::thumbnailSourceFrame(int thumbnail, int thumbnailCount, qsizetype frameCount)
{
    // In integers, so that a frame count that divides evenly never lands one frame short.
    const qint64 frame = qint64(thumbnail) * frameCount / thumbnailCount;
    return int(std::min<qint64>(frame, frameCount - 1));
}

QSize TimelineGeometry::thumbnailSize() const
{
    return QSize(thumbnailWidth, height - belowStrip);
}

QRect TimelineGeometry::thumbnailRect(int thumbnail, int thumbnailCount) const
{
    const int stripWidth = width - 5;
    const int left = stripWidth * thumbnail / thumbnailCount;
    const int right = stripWidth * (thumbnail + 1) / thumbnailCount;
    return QRect(2 + left, 2, right - left, height - belowStrip);
}

QRect TimelineGeometry::scrollMarkRect() const
{
    if (laneCount <= visible)
        return {};
    const int track = height - 24;
    const int markHeight = std::max(6, visible * track / laneCount);
    const int y = 4 + (track - markHeight) * firstLane / (laneCount - visible);
    return QRect(QPoint(width - 4, y), QPoint(width - 2, y + markHeight - 1));
}

int TimelineGeometry::rulerSeconds() const
{
    if (durationMs <= 1000)
        return 1;
    return int((durationMs + 999) / 1000);
}

int TimelineGeometry::clampFirstLane(int firstLane, int laneCount)
{
    return std::clamp(firstLane, 0, std::max(laneCount - 3, 0));
}
