#pragma once

#include "annotationpainter.h"
#include "timelinegeometry.h"
#include "videoannotation.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPoint>

#include <optional>

class FramePreview;
class QEvent;
class QLabel;
class QMouseEvent;
class TextOverlay;

// The timed annotations of a recording and what the user does to them on the frame view: the
// tools, selecting, dragging, typing text, colour and time ranges. The frames are never touched;
// the owner shows the frame again when asked and reads the annotations to export them.
class AnnotationEditor : public QObject
{
    Q_OBJECT

public:
    AnnotationEditor(QLabel *view, const FramePreview &preview, QObject *parent = nullptr);

    // A new recording of this length: no annotations, no selection, nothing to export.
    void reset(qint64 durationMs);

    // A tool button was checked or unchecked at the frame shown at `ms`.
    void setToolChecked(int kind, bool checked, qint64 ms);
    // Mouse and keys on the frame view, at the frame shown at `ms`; true when the event was used.
    bool handleViewEvent(QEvent *event, qint64 ms);
    void chooseColor(const QColor &color);
    // A band was dragged on the timeline; bandIndex is the band's index field.
    void setBandRange(int bandIndex, qint64 startMs, qint64 endMs);
    // Closes the text editor, keeping what it holds.
    void commitText();

    // The bands of the annotations, then the microphone's (when microphoneMs is given and at
    // least 1), then the pending range of the next annotation while a tool is active.
    QList<TimelineBand> bands(std::optional<qint64> microphoneMs) const;
    EditorDecorations decorations() const;

    const QList<VideoAnnotation> &annotationList() const { return annotations; }
    int selected() const { return selectedAnnotation; }
    int tool() const { return currentTool; }
    bool isToolActive() const { return toolActive; }
    QColor color() const { return currentColor; }
    qint64 pendingStart() const { return pendingStartMs; }
    qint64 pendingEnd() const { return pendingEndMs; }
    bool isTextEditing() const { return textEditing; }
    TextOverlay *textOverlay() const { return overlay; }

    // Changed since the last export.
    bool isDirty() const { return dirty; }
    // Counts every change; an export clears dirty only when nothing changed while it ran.
    quint64 revision() const { return changes; }
    void exported(quint64 revisionExported);

signals:
    // The frame view must be painted again.
    void viewChanged();
    // The bands must be handed to the timeline again (and the view painted).
    void bandsChanged();
    void colorChanged(const QColor &color);

private:
    enum class Drag
    {
        None,
        Draw,
        MoveWhole,
        MoveP1,
        MoveP2
    };

    void press(const QMouseEvent &event, qint64 ms);
    void move(const QMouseEvent &event);
    void release(const QMouseEvent &event);
    // Opens the text annotation at the frame point for editing; false when there is none.
    bool openTextAt(QPoint point, qint64 ms);
    void doubleClickedEmptyText(QPoint viewPoint);
    bool deleteSelected();
    void openText(QPoint textPosition, int index);
    void removeAnnotation(int index);
    void markChanged();
    QPoint framePoint(const QMouseEvent &event) const;

    QLabel *view;
    const FramePreview &preview;
    TextOverlay *overlay;

    QList<VideoAnnotation> annotations;
    int selectedAnnotation = -1;
    int currentTool = VideoAnnotation::Arrow;
    QColor currentColor{255, 60, 60};
    bool toolActive = false;
    qint64 pendingStartMs = 0;
    qint64 pendingEndMs = 0;
    bool dirty = false;
    quint64 changes = 0;
    bool textEditing = false;
    int editedTextIndex = -1;
    qint64 durationMs = 0;

    Drag drag = Drag::None;
    QPoint pressPoint;
    qint64 pressMs = 0;
    QPoint lastPoint;
    bool dragMoved = false;
    std::optional<VideoAnnotation> draft;
};
