#include "annotationeditor.h"

#include "annotationgeometry.h"
#include "framepreview.h"
#include "textoverlay.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineF>
#include <QMouseEvent>

using namespace AnnotationGeometry;

namespace {

// A shorter drag is a click, and draws nothing.
constexpr double smallestDrawing = 6.0;
constexpr int draftAlpha = 200;

} // namespace

AnnotationEditor::AnnotationEditor(QLabel *view, const FramePreview &preview, QObject *parent)
    : QObject(parent), view(view), preview(preview), overlay(new TextOverlay(view))
{
    connect(overlay, &TextOverlay::finished, this, &AnnotationEditor::commitText);
    connect(overlay, &TextOverlay::doubleClickedEmpty, this,
            &AnnotationEditor::doubleClickedEmptyText);
}

void AnnotationEditor::reset(qint64 duration)
{
    if (textEditing) {
        overlay->close();
        textEditing = false;
    }
    annotations.clear();
    selectedAnnotation = -1;
    editedTextIndex = -1;
    pendingStartMs = pendingEndMs = 0;
    dirty = false;
    drag = Drag::None;
    draft.reset();
    durationMs = duration;
}

void AnnotationEditor::setToolChecked(int kind, bool checked, qint64 ms)
{
    // Switching to another tool ends a text as unchecking the text tool does.
    commitText();
    if (checked) {
        currentTool = kind;
        toolActive = true;
        selectedAnnotation = -1;
        const TimeRange range = newAnnotationRange(ms, durationMs);
        pendingStartMs = range.startMs;
        pendingEndMs = range.endMs;
        view->setCursor(kind == VideoAnnotation::Text ? Qt::IBeamCursor : Qt::CrossCursor);
    } else {
        toolActive = false;
        view->setCursor(Qt::ArrowCursor);
    }
    emit bandsChanged();
}

bool AnnotationEditor::handleViewEvent(QEvent *event, qint64 ms)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(*static_cast<QMouseEvent *>(event), ms);
        return true;
    case QEvent::MouseMove:
        move(*static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        release(*static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        openTextAt(framePoint(*static_cast<QMouseEvent *>(event)), ms);
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        return (key == Qt::Key_Delete || key == Qt::Key_Backspace) && deleteSelected();
    }
    default:
        return false;
    }
}

QPoint AnnotationEditor::framePoint(const QMouseEvent &event) const
{
    return preview.viewport().toFrame(event.position());
}

void AnnotationEditor::press(const QMouseEvent &event, qint64 ms)
{
    if (event.button() != Qt::LeftButton)
        return;
    // A press outside the open text editor ends the text first.
    commitText();
    const QPoint point = framePoint(event);
    pressPoint = lastPoint = point;
    pressMs = ms;
    dragMoved = false;
    if (toolActive) {
        const TimeRange range = newAnnotationRange(ms, durationMs);
        pendingStartMs = range.startMs;
        pendingEndMs = range.endMs;
        if (currentTool == VideoAnnotation::Text) {
            openText(event.position().toPoint(), -1);
        } else {
            VideoAnnotation started;
            started.p1 = started.p2 = point;
            started.kind = currentTool;
            started.color = currentColor;
            started.color.setAlpha(draftAlpha);
            started.startMs = pendingStartMs;
            started.endMs = pendingEndMs;
            draft = started;
            drag = Drag::Draw;
        }
        emit bandsChanged();
        return;
    }

    view->setFocus();
    const int hit = hitAnnotation(annotations, point, ms);
    if (hit >= 0) {
        selectedAnnotation = hit;
        currentColor = annotations.at(hit).color;
        emit colorChanged(currentColor);
        emit bandsChanged();
    }
    if (selectedAnnotation < 0)
        return;
    const VideoAnnotation &selected = annotations.at(selectedAnnotation);
    switch (handleAt(selected, point)) {
    case Handle::P1:
        drag = Drag::MoveP1;
        break;
    case Handle::P2:
        drag = Drag::MoveP2;
        break;
    case Handle::None:
        if (hits(selected, point))
            drag = Drag::MoveWhole;
        break;
    }
}

void AnnotationEditor::move(const QMouseEvent &event)
{
    if (drag == Drag::None)
        return;
    const QPoint point = framePoint(event);
    if (drag == Drag::Draw) {
        draft->p2 = point;
    } else if (selectedAnnotation >= 0) {
        VideoAnnotation &moved = annotations[selectedAnnotation];
        if (drag == Drag::MoveWhole) {
            const QPoint offset = point - lastPoint;
            moved.p1 += offset;
            moved.p2 += offset;
        } else {
            (drag == Drag::MoveP1 ? moved.p1 : moved.p2) = point;
        }
        dragMoved = dragMoved || point != lastPoint;
    }
    lastPoint = point;
    emit viewChanged();
}

void AnnotationEditor::release(const QMouseEvent &event)
{
    const Drag ended = std::exchange(drag, Drag::None);
    if (ended == Drag::Draw) {
        VideoAnnotation drawn = *draft;
        draft.reset();
        drawn.p2 = framePoint(event);
        if (QLineF(drawn.p1, drawn.p2).length() >= smallestDrawing) {
            drawn.color = currentColor;
            drawn.fontPixelSize = TextOverlaySizing::defaultPixelSize;
            annotations.append(drawn);
            selectedAnnotation = int(annotations.size() - 1);
            markChanged();
            emit bandsChanged();
            return;
        }
        emit viewChanged();
    } else if (ended != Drag::None && dragMoved) {
        markChanged();
        emit bandsChanged();
    }
}

bool AnnotationEditor::openTextAt(QPoint point, qint64 ms)
{
    const int hit = hitAnnotation(annotations, point, ms);
    if (hit < 0 || annotations.at(hit).kind != VideoAnnotation::Text)
        return false;
    drag = Drag::None;
    commitText();
    openText(preview.viewport().toView(annotations.at(hit).box().topLeft()), hit);
    emit viewChanged();
    return true;
}

void AnnotationEditor::doubleClickedEmptyText(QPoint viewPoint)
{
    // With the text tool, the double-click's first press opened a new, empty text over the one
    // the user meant; that one is opened instead, and the empty one leaves nothing behind.
    if (editedTextIndex < 0)
        openTextAt(preview.viewport().toFrame(viewPoint), pressMs);
}

bool AnnotationEditor::deleteSelected()
{
    if (selectedAnnotation < 0 || textEditing)
        return false;
    removeAnnotation(selectedAnnotation);
    markChanged();
    emit bandsChanged();
    return true;
}

void AnnotationEditor::openText(QPoint textPosition, int index)
{
    editedTextIndex = index;
    const VideoAnnotation *edited = index >= 0 ? &annotations.at(index) : nullptr;
    overlay->setColor(currentColor);
    overlay->open(textPosition, edited ? edited->text : QString(),
                  edited ? edited->fontPixelSize : overlay->pixelSize(),
                  preview.viewport().scale());
    textEditing = true;
}

void AnnotationEditor::commitText()
{
    if (!textEditing)
        return;
    textEditing = false;
    const QString text = overlay->close();
    const FrameViewport viewport = preview.viewport();
    const QRect shown = overlay->textRect();
    const QRect box(viewport.toFrame(shown.topLeft()),
                    (QSizeF(shown.size()) / viewport.scale()).toSize());
    const int index = std::exchange(editedTextIndex, -1);
    if (index >= 0) {
        if (text.isEmpty()) {
            removeAnnotation(index);
        } else {
            VideoAnnotation &edited = annotations[index];
            edited.text = text;
            edited.fontPixelSize = overlay->pixelSize();
            // The box sets where the text wraps: it follows the text as typed.
            edited.p1 = box.topLeft();
            edited.p2 = box.bottomRight();
        }
        markChanged();
    } else if (!text.isEmpty()) {
        VideoAnnotation added;
        added.p1 = box.topLeft();
        added.p2 = box.bottomRight();
        added.startMs = pendingStartMs;
        added.endMs = pendingEndMs;
        added.color = currentColor;
        added.kind = VideoAnnotation::Text;
        added.text = text;
        added.fontPixelSize = overlay->pixelSize();
        annotations.append(added);
        selectedAnnotation = int(annotations.size() - 1);
        markChanged();
    }
    emit bandsChanged();
}

void AnnotationEditor::removeAnnotation(int index)
{
    annotations.removeAt(index);
    if (selectedAnnotation == index)
        selectedAnnotation = -1;
    else if (selectedAnnotation > index)
        --selectedAnnotation;
}

void AnnotationEditor::chooseColor(const QColor &color)
{
    if (!color.isValid())
        return;
    currentColor = color;
    emit colorChanged(color);
    if (selectedAnnotation >= 0) {
        annotations[selectedAnnotation].color = color;
        markChanged();
    }
    if (textEditing)
        overlay->setColor(color);
    emit bandsChanged();
}

void AnnotationEditor::setBandRange(int bandIndex, qint64 startMs, qint64 endMs)
{
    if (bandIndex >= 0 && bandIndex < annotations.size()) {
        annotations[bandIndex].startMs = startMs;
        annotations[bandIndex].endMs = endMs;
        markChanged();
        emit bandsChanged();
    } else if (bandIndex == annotations.size() && toolActive) {
        pendingStartMs = startMs;
        pendingEndMs = endMs;
    }
    emit viewChanged();
}

QList<TimelineBand> AnnotationEditor::bands(std::optional<qint64> microphoneMs) const
{
    QList<TimelineBand> list;
    for (qsizetype i = 0; i < annotations.size(); ++i) {
        const VideoAnnotation &annotation = annotations.at(i);
        list.append({annotation.startMs, annotation.endMs, annotation.color,
                     i == selectedAnnotation, false, QString(), int(i), annotation.kind});
    }
    if (microphoneMs && *microphoneMs >= 1)
        list.append(
            {0, *microphoneMs, QColor(48, 145, 190), false, true, tr("Microphone"), -1, -1});
    if (toolActive)
        list.append({pendingStartMs, pendingEndMs, currentColor, true, false, QString(),
                     int(annotations.size()), -1});
    return list;
}

EditorDecorations AnnotationEditor::decorations() const
{
    EditorDecorations decorations;
    decorations.selected = selectedAnnotation;
    decorations.hidden = textEditing ? editedTextIndex : -1;
    decorations.draft = draft;
    return decorations;
}

void AnnotationEditor::markChanged()
{
    dirty = true;
    ++changes;
}

void AnnotationEditor::exported(quint64 revisionExported)
{
    if (revisionExported == changes)
        dirty = false;
}
