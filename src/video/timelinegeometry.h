#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

// One coloured time range on the storyboard timeline, built by the video editor from its items.
struct TimelineBand
{
    qint64 startMs = 0;
    qint64 endMs = 0;
    // Its alpha is replaced when drawn.
    QColor color;
    bool selected = false;
    // Cannot be grabbed; shows its label instead of an icon.
    bool locked = false;
    // Shown on locked bands; empty means "Audio".
    QString label;
    // The editor's number for the item, reported back on edits; -1 for none.
    int index = -1;
    // Icon: 0 arrow, 1 rectangle, 2 blur, 3 text; negative for no icon.
    int kind = -1;
};

struct LaneAssignment
{
    // The lane of every band, by position in the band list.
    QList<int> laneOf;
    // At least 1, even without bands.
    int count = 1;
};

// Bands go, in order of their start, into the lowest lane that is free by then; a band that ends
// exactly where another starts shares its lane.
LaneAssignment assignLanes(const QList<TimelineBand> &bands);

// Lanes shown at once: up to three.
int visibleLaneCount(int laneCount);

enum class BandPart
{
    None,
    StartEdge,
    EndEdge,
    Body
};

struct BandHit
{
    // Position in the band list, -1 for none.
    int band = -1;
    BandPart part = BandPart::None;
};

// Where times and lanes sit in a timeline of the given size: the frame strip spans x 2 to
// width - 4 and y 2 to height - 19, the ruler the rest below it.
class TimelineGeometry
{
public:
    TimelineGeometry(int width, int height, qint64 durationMs, int firstLane, int laneCount);

    int xAt(qint64 ms) const;
    qint64 msAt(int x) const;

    QRect stripRect() const;
    int visibleLanes() const { return visible; }
    int laneHeight() const;
    // The lane under y, counted from the first lane, among the visible ones only.
    int laneAt(int y) const;
    // Whether the lane is one of those shown.
    bool showsLane(int lane) const;
    // Top of a shown lane's row.
    int laneTop(int lane) const;

    // Later bands win over earlier ones, start edges over end edges; locked bands are skipped.
    BandHit hitTest(const QList<TimelineBand> &bands, const LaneAssignment &lanes,
                    QPoint point) const;

    // The thumbnails that cover the strip: one when narrower than 80 pixels, else one per 40.
    int thumbnailCount() const;
    static int thumbnailSourceFrame(int thumbnail, int thumbnailCount, qsizetype frameCount);
    QSize thumbnailSize() const;
    QRect thumbnailRect(int thumbnail, int thumbnailCount) const;

    // The mark at the right edge that tells which of the lanes are shown; empty when all are.
    QRect scrollMarkRect() const;

    // The last whole second the ruler counts to.
    int rulerSeconds() const;

    static int clampFirstLane(int firstLane, int laneCount);

private:
    int width;
    int height;
    qint64 durationMs;
    int firstLane;
    int laneCount;
    int visible;
};
