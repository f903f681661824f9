#include "annotationgeometry.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

namespace AnnotationGeometry {

namespace {

double distanceToSegment(QPointF point, QPointF from, QPointF to)
{
    const QPointF along = to - from;
    const double lengthSquared = QPointF::dotProduct(along, along);
    if (std::sqrt(lengthSquared) < 0.001)
        return QLineF(point, from).length();
    const double t = std::clamp(QPointF::dotProduct(point - from, along) / lengthSquared, 0.0, 1.0);
    return QLineF(point, from + t * along).length();
}

bool near(QPoint a, QPoint b)
{
    return QLineF(a, b).length() <= handleRadius;
}

} // namespace

bool hits(const VideoAnnotation &annotation, QPoint point)
{
    if (annotation.kind == VideoAnnotation::Arrow)
        return distanceToSegment(point, annotation.p1, annotation.p2) <= hitMargin;
    return annotation.box().adjusted(-hitMargin, -hitMargin, hitMargin, hitMargin).contains(point);
}

int hitAnnotation(const QList<VideoAnnotation> &annotations, QPoint point, qint64 ms)
{
    for (qsizetype i = annotations.size() - 1; i >= 0; --i) {
        const VideoAnnotation &annotation = annotations.at(i);
        if (annotation.isShownAt(ms) && hits(annotation, point))
            return int(i);
    }
    return -1;
}

Handle handleAt(const VideoAnnotation &annotation, QPoint point)
{
    if (near(point, annotation.p1))
        return Handle::P1;
    if (near(point, annotation.p2))
        return Handle::P2;
    return Handle::None;
}

TimeRange newAnnotationRange(qint64 ms, qint64 durationMs)
{
    return {ms, std::min(ms + newRangeMs, durationMs)};
}

FrameViewport::FrameViewport(QSize frameSize, QSize viewSize)
{
    if (frameSize.isEmpty() || viewSize.isEmpty())
        return;
    factor = std::min({1.0, double(viewSize.width()) / frameSize.width(),
                       double(viewSize.height()) / frameSize.height()});
    const QSize shownSize(std::max(1, int(std::lround(frameSize.width() * factor))),
                          std::max(1, int(std::lround(frameSize.height() * factor))));
    shown = QRect(QPoint((viewSize.width() - shownSize.width()) / 2,
                         (viewSize.height() - shownSize.height()) / 2),
                  shownSize);
}

QPoint FrameViewport::toFrame(QPointF viewPoint) const
{
    return ((viewPoint - QPointF(shown.topLeft())) / factor).toPoint();
}

QPoint FrameViewport::toView(QPoint framePoint) const
{
    return shown.topLeft() + (QPointF(framePoint) * factor).toPoint();
}

} // namespace AnnotationGeometry
