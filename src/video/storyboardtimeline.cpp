#include "storyboardtimeline.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int timelineHeight = 64;
constexpr QColor background(18, 18, 18);
constexpr QColor outline(65, 65, 65);
constexpr QColor stripBackground(8, 8, 8);
constexpr QColor labelColor(235, 235, 235);
constexpr QColor playheadColor(255, 45, 45);
constexpr QColor rulerColor(125, 125, 125);
constexpr QColor bottomLine(90, 90, 90);
constexpr QColor scrollMarkColor(220, 220, 220, 180);
// Room kept between two ruler numbers.
constexpr int rulerNumberGap = 4;
constexpr int rulerFontPixels = 9;

// A rectangle from one pixel to another, both included.
QRect pixels(int x0, int y0, int x1, int y1)
{
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

void paintBandIcon(QPainter &painter, int kind, int x0, int cy)
{
    painter.save();
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    if (kind == 3) {
        painter.drawText(pixels(x0 + 4, cy - 8, x0 + 15, cy + 7), Qt::AlignCenter,
                         QStringLiteral("T"));
        painter.restore();
        return;
    }
    // Pixel coordinates name pixels; their centres keep the strokes sharp.
    painter.translate(0.5, 0.5);
    switch (kind) {
    case 0:
        painter.drawLine(QPointF(x0 + 5, cy + 3), QPointF(x0 + 15, cy - 3));
        painter.drawLine(QPointF(x0 + 11, cy - 4), QPointF(x0 + 15, cy - 3));
        break;
    case 1:
        painter.drawRect(QRectF(x0 + 5, cy - 4, 9, 7));
        break;
    case 2: {
        QPainterPath drop(QPointF(x0 + 10, cy - 6));
        drop.cubicTo(QPointF(x0 + 5, cy), QPointF(x0 + 6, cy + 5), QPointF(x0 + 10, cy + 6));
        drop.cubicTo(QPointF(x0 + 14, cy + 5), QPointF(x0 + 15, cy), QPointF(x0 + 10, cy - 6));
        drop.closeSubpath();
        painter.drawPath(drop);
        break;
    }
    default:
        break;
    }
    painter.restore();
}

} // namespace

StoryboardTimeline::StoryboardTimeline(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(timelineHeight);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    // Small enough for the ruler's numbers to sit below its ticks.
    QFont small = font();
    small.setPixelSize(rulerFontPixels);
    setFont(small);
}

void StoryboardTimeline::setFrames(const TimelineFrames &newFrames, qint64 newDurationMs)
{
    frames = newFrames;
    playheadMs = 0;
    durationMs = std::max<qint64>(1, newDurationMs);
    rebuildThumbnails();
    update();
}

void StoryboardTimeline::setFrames(const QList<QImage> &newFrames, qint64 newDurationMs)
{
    setFrames(TimelineFrames::of(newFrames), newDurationMs);
}

void StoryboardTimeline::setBands(const QList<TimelineBand> &newBands)
{
    bands = newBands;
    firstLane = TimelineGeometry::clampFirstLane(firstLane, assignLanes(bands).count);
    update();
}

void StoryboardTimeline::ensureBandVisible(int index)
{
    if (index < 0 || index >= bands.size())
        return;
    const LaneAssignment lanes = assignLanes(bands);
    const int lane = lanes.laneOf[index];
    if (timelineGeometry(lanes).showsLane(lane))
        return;
    firstLane = TimelineGeometry::clampFirstLane(lane - (lanes.count == 1 ? 0 : 1), lanes.count);
    update();
}

void StoryboardTimeline::setPlayhead(qint64 ms)
{
    playheadMs = std::clamp<qint64>(ms, 0, durationMs);
    update();
}

TimelineGeometry StoryboardTimeline::timelineGeometry(const LaneAssignment &lanes) const
{
    return TimelineGeometry(width(), height(), durationMs, firstLane, lanes.count);
}

QSize StoryboardTimeline::thumbnailLayout() const
{
    if (frames.count < 1 || !frames.frameAt || width() < 1 || height() < 1)
        return {};
    return QSize(timelineGeometry(LaneAssignment()).thumbnailCount(), height());
}

void StoryboardTimeline::rebuildThumbnails()
{
    thumbnails.clear();
    thumbnailsLayout = thumbnailLayout();
    if (thumbnailsLayout.isEmpty())
        return;
    const TimelineGeometry geo = timelineGeometry(LaneAssignment());
    const int count = thumbnailsLayout.width();
    thumbnails.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QImage frame =
            frames.frameAt(TimelineGeometry::thumbnailSourceFrame(i, count, frames.count));
        thumbnails.append(
            frame.scaled(geo.thumbnailSize(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
}

void StoryboardTimeline::seekTo(qint64 ms)
{
    playheadMs = ms;
    update();
    emit seekRequested(playheadMs);
}

void StoryboardTimeline::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const LaneAssignment lanes = assignLanes(bands);
    const TimelineGeometry geo = timelineGeometry(lanes);
    pressPosition = event->position().toPoint();
    lastMs = geo.msAt(pressPosition.x());
    moved = false;
    dragBand = -1;
    const BandHit hit = geo.hitTest(bands, lanes, pressPosition);
    switch (hit.part) {
    case BandPart::StartEdge:
        dragMode = DragStartEdge;
        break;
    case BandPart::EndEdge:
        dragMode = DragEndEdge;
        break;
    case BandPart::Body:
        dragMode = DragBody;
        break;
    case BandPart::None:
        dragMode = DragSeek;
        seekTo(lastMs);
        return;
    }
    dragBand = hit.band;
}

void StoryboardTimeline::mouseReleaseEvent(QMouseEvent *event)
{
    if (dragMode == DragBody && !moved)
        seekTo(timelineGeometry(assignLanes(bands)).msAt(event->position().toPoint().x()));
    dragMode = DragNone;
    dragBand = -1;
    setCursor(Qt::PointingHandCursor);
}

void StoryboardTimeline::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    const qint64 ms = timelineGeometry(assignLanes(bands)).msAt(position.x());
    switch (dragMode) {
    case DragNone:
        if (!(event->buttons() & Qt::LeftButton))
            updateHoverCursor(position);
        break;
    case DragSeek:
        seekTo(ms);
        break;
    default:
        dragBandTo(position, ms);
        break;
    }
}

void StoryboardTimeline::dragBandTo(QPoint position, qint64 ms)
{
    if (dragBand < 0 || dragBand >= bands.size())
        return;
    TimelineBand &band = bands[dragBand];
    switch (dragMode) {
    case DragStartEdge:
        band.startMs = std::clamp<qint64>(ms, 0, std::max<qint64>(band.endMs, 0));
        break;
    case DragEndEdge:
        band.endMs = std::max(std::min(ms, durationMs), band.startMs);
        break;
    case DragBody: {
        if ((position - pressPosition).manhattanLength() <= 2)
            return;
        moved = true;
        const qint64 length = band.endMs - band.startMs;
        band.startMs = std::clamp<qint64>(band.startMs + ms - lastMs, 0,
                                          std::max<qint64>(durationMs - length, 0));
        band.endMs = band.startMs + length;
        lastMs = ms;
        break;
    }
    default:
        return;
    }
    update();
    emit rangeChanged(band.index, band.startMs, band.endMs);
}

void StoryboardTimeline::updateHoverCursor(QPoint position)
{
    const LaneAssignment lanes = assignLanes(bands);
    switch (timelineGeometry(lanes).hitTest(bands, lanes, position).part) {
    case BandPart::StartEdge:
    case BandPart::EndEdge:
        setCursor(Qt::SizeHorCursor);
        break;
    case BandPart::Body:
        setCursor(Qt::SizeAllCursor);
        break;
    case BandPart::None:
        setCursor(Qt::PointingHandCursor);
        break;
    }
}

void StoryboardTimeline::wheelEvent(QWheelEvent *event)
{
    const int laneCount = assignLanes(bands).count;
    if (laneCount <= 3) {
        event->ignore();
        return;
    }
    const int step = event->angleDelta().y() > 0 ? -1 : 1;
    firstLane = TimelineGeometry::clampFirstLane(firstLane + step, laneCount);
    update();
    event->accept();
}

void StoryboardTimeline::leaveEvent(QEvent *event)
{
    if (dragMode == DragNone)
        setCursor(Qt::PointingHandCursor);
    QWidget::leaveEvent(event);
}

void StoryboardTimeline::paintEvent(QPaintEvent *)
{
    const LaneAssignment lanes = assignLanes(bands);
    const TimelineGeometry geo = timelineGeometry(lanes);
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.fillRect(rect(), background);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, w - 2, h - 2));
    painter.fillRect(geo.stripRect(), stripBackground);
    paintThumbnails(painter, geo);
    if (!bands.isEmpty())
        paintBands(painter, geo, lanes);
    paintPlayhead(painter, geo);
    paintRuler(painter, geo);
    painter.fillRect(pixels(0, h - 2, w - 1, h - 1), bottomLine);
}

void StoryboardTimeline::resizeEvent(QResizeEvent *)
{
    firstLane = TimelineGeometry::clampFirstLane(firstLane, assignLanes(bands).count);
    // Thumbnails have a fixed size, so the width matters only through their count: within one
    // step of it they stay as they are, sparing a window resize from reading frames back out of
    // a compressed store on every pixel.
    if (thumbnailLayout() != thumbnailsLayout)
        rebuildThumbnails();
}

void StoryboardTimeline::paintThumbnails(QPainter &painter, const TimelineGeometry &geo) const
{
    const int count = int(thumbnails.size());
    for (int i = 0; i < count; ++i)
        painter.drawImage(geo.thumbnailRect(i, count), thumbnails[i]);
}

void StoryboardTimeline::paintBands(QPainter &painter, const TimelineGeometry &geo,
                                    const LaneAssignment &lanes) const
{
    const int laneHeight = geo.laneHeight();
    for (int i = 0; i < bands.size(); ++i) {
        const int lane = lanes.laneOf[i];
        if (!geo.showsLane(lane))
            continue;
        const TimelineBand &band = bands[i];
        const int top = geo.laneTop(lane);
        const int x0 = geo.xAt(band.startMs);
        const int x1 = std::max(geo.xAt(band.endMs), x0 + 2);
        paintBand(painter, band, pixels(x0, top, x1 - 1, top + laneHeight - 1));
    }
    const QRect mark = geo.scrollMarkRect();
    if (!mark.isEmpty())
        painter.fillRect(mark, scrollMarkColor);
}

// box spans the band's pixels in its lane: x0 to x1 - 1, top to bottom.
void StoryboardTimeline::paintBand(QPainter &painter, const TimelineBand &band, QRect box) const
{
    const int x0 = box.left();
    const int x1 = box.right() + 1;
    const int top = box.top();
    const int bottom = box.bottom();
    QColor fill = band.color;
    fill.setAlpha(band.selected ? 150 : 100);
    painter.fillRect(box, fill);
    QColor edge = band.color;
    edge.setAlpha(255);
    painter.fillRect(pixels(x0, top, x0 + 1, bottom), edge);
    painter.fillRect(pixels(x1 - 2, top, x1 - 1, bottom), edge);
    if (band.selected) {
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(x0 + 0.5, top + 0.5, x1 - 1 - x0, box.height() - 3));
    }
    if (band.locked) {
        painter.setPen(labelColor);
        painter.drawText(pixels(x0 + 5, top, x1 - 6, bottom), Qt::AlignLeft | Qt::AlignVCenter,
                         band.label.isEmpty() ? tr("Audio") : band.label);
    } else if (band.kind >= 0) {
        paintBandIcon(painter, band.kind, x0, top + box.height() / 2);
    }
}

void StoryboardTimeline::paintPlayhead(QPainter &painter, const TimelineGeometry &geo) const
{
    // A 2-pixel line at x covers the pixels x - 1 and x.
    const int x = geo.xAt(playheadMs);
    painter.fillRect(pixels(x - 1, 2, x, height() - 19), playheadColor);
    painter.fillRect(pixels(x - 4, 2, x + 3, 4), playheadColor);
}

void StoryboardTimeline::paintRuler(QPainter &painter, const TimelineGeometry &geo) const
{
    const int w = width();
    const int h = height();
    painter.fillRect(pixels(2, h - 15, w - 4, h - 15), rulerColor);
    painter.setPen(rulerColor);
    const QFontMetrics metrics = fontMetrics();
    const int seconds = geo.rulerSeconds();
    auto numberLeft = [&](int s, int x) {
        const int textWidth = metrics.horizontalAdvance(QString::number(s));
        return std::max(2, std::min(x - textWidth / 2, w - 4 - textWidth));
    };
    const int lastX = geo.xAt(std::min(qint64(seconds) * 1000, durationMs));
    const int lastLeft = numberLeft(seconds, lastX);
    // Numbers that would run into their neighbours are left out, ticks never; the last number,
    // at the end of the strip, always shows.
    int freeFrom = 0;
    for (int s = 0; s <= seconds; ++s) {
        const int x = geo.xAt(std::min(qint64(s) * 1000, durationMs));
        painter.fillRect(pixels(x, h - 15, x, h - 11), rulerColor);
        const QString number = QString::number(s);
        const int left = numberLeft(s, x);
        const int right = left + metrics.horizontalAdvance(number);
        const bool last = s == seconds;
        if (!last && (left < freeFrom || right + rulerNumberGap > lastLeft))
            continue;
        painter.drawText(QPoint(left, h - 4), number);
        freeFrom = right + rulerNumberGap;
    }
}
