#pragma once

#include "videoannotation.h"

#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

// Where the editor's mouse meets the annotations: all in frame pixels, free of widgets.
namespace AnnotationGeometry {

// How far from an arrow's line, or outside another kind's rectangle, a press still hits it.
constexpr int hitMargin = 8;
// How far from p1 or p2 of the selected annotation a press takes that point.
constexpr int handleRadius = 10;
// A new annotation lasts this long, or up to the end of the recording.
constexpr qint64 newRangeMs = 5000;

enum class Handle
{
    None,
    P1,
    P2
};

// Whether the point lies on the annotation: near an arrow's line, or in another kind's rectangle
// grown by the margin.
bool hits(const VideoAnnotation &annotation, QPoint point);
// The annotation shown at `ms` under the point, the one painted last first; -1 for none.
int hitAnnotation(const QList<VideoAnnotation> &annotations, QPoint point, qint64 ms);
// Which of the annotation's points lies under the point; p1 wins where both do.
Handle handleAt(const VideoAnnotation &annotation, QPoint point);

struct TimeRange
{
    qint64 startMs = 0;
    qint64 endMs = 0;
};
// The range a new annotation drawn at `ms` gets.
TimeRange newAnnotationRange(qint64 ms, qint64 durationMs);

// A frame shown centred in a view, shrunk to fit when the view is smaller and never enlarged.
class FrameViewport
{
public:
    FrameViewport() = default;
    FrameViewport(QSize frameSize, QSize viewSize);

    double scale() const { return factor; }
    // The frame's place in the view.
    QRect shownRect() const { return shown; }
    QPoint toFrame(QPointF viewPoint) const;
    QPoint toView(QPoint framePoint) const;

private:
    double factor = 1.0;
    QRect shown;
};

} // namespace AnnotationGeometry
