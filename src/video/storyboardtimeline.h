#pragma once

#include "timelinegeometry.h"

#include <QImage>
#include <QList>
#include <QWidget>

#include <functional>
#include <memory>

class QPainter;

// The frames the thumbnails are made from. They are read one at a time, and only as many as there
// are thumbnails, so that a recording kept compressed is never decoded whole.
struct TimelineFrames
{
    qsizetype count = 0;
    std::function<QImage(qsizetype)> frameAt;

    // Any list of images with count() and at(): a QList<QImage> or a snapshot of a frame store.
    template <typename List> static TimelineFrames of(List frames)
    {
        auto kept = std::make_shared<const List>(std::move(frames));
        return {qsizetype(kept->count()), [kept](qsizetype i) { return QImage(kept->at(i)); }};
    }
};

// The strip under the video editor's preview: frame thumbnails across the recording, a playhead,
// a seconds ruler and up to three lanes of bands. Clicking or dragging on the strip asks for a
// seek; dragging a band's edge or body asks for a new range. The widget only reports: the editor
// owns the items and hands back fresh bands.
class StoryboardTimeline : public QWidget
{
    Q_OBJECT

public:
    explicit StoryboardTimeline(QWidget *parent = nullptr);

    void setFrames(const TimelineFrames &frames, qint64 durationMs);
    void setFrames(const QList<QImage> &frames, qint64 durationMs);
    void setBands(const QList<TimelineBand> &bands);
    // Scrolls the lanes so that the band at position index in the list is shown.
    void ensureBandVisible(int index);
    // Moves the playhead without asking for a seek, as playback does.
    void setPlayhead(qint64 ms);

    qint64 duration() const { return durationMs; }
    qint64 playhead() const { return playheadMs; }
    const QList<TimelineBand> &timelineBands() const { return bands; }
    int firstVisibleLane() const { return firstLane; }

signals:
    void seekRequested(qint64 ms);
    // bandIndex is the band's index field, not its position in the list.
    void rangeChanged(int bandIndex, qint64 startMs, qint64 endMs);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    enum DragMode
    {
        DragNone,
        DragSeek,
        DragStartEdge,
        DragEndEdge,
        DragBody
    };

    TimelineGeometry timelineGeometry(const LaneAssignment &lanes) const;
    // The count and height of the thumbnails the current frames and size call for.
    QSize thumbnailLayout() const;
    void rebuildThumbnails();
    void seekTo(qint64 ms);
    void dragBandTo(QPoint position, qint64 ms);
    void updateHoverCursor(QPoint position);

    void paintThumbnails(QPainter &painter, const TimelineGeometry &geo) const;
    void paintBands(QPainter &painter, const TimelineGeometry &geo,
                    const LaneAssignment &lanes) const;
    void paintBand(QPainter &painter, const TimelineBand &band, QRect box) const;
    void paintPlayhead(QPainter &painter, const TimelineGeometry &geo) const;
    void paintRuler(QPainter &painter, const TimelineGeometry &geo) const;

    TimelineFrames frames;
    QList<QImage> thumbnails;
    QSize thumbnailsLayout;
    qint64 durationMs = 0;
    qint64 playheadMs = 0;
    QList<TimelineBand> bands;
    DragMode dragMode = DragNone;
    QPoint pressPosition;
    // Time under the mouse at the press, or at the last applied move of a band.
    qint64 lastMs = 0;
    bool moved = false;
    // Position in the band list, -1 for none.
    int dragBand = -1;
    int firstLane = 0;
};
