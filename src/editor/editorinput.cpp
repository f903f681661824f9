#include "editorinput.h"

#include "crop.h"
#include "editordocument.h"
#include "inputgeometry.h"
#include "maineditor.h"
#include "selectioncommands.h"
#include "textentry.h"
#include "textmetrics.h"

#include <QHash>
#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextCursor>
#include <QWheelEvent>

namespace {

bool isCtrlKey(int key)
{
    return key == Qt::Key_Control || key == Qt::Key_Meta;
}

bool isStroke(ToolKind kind)
{
    return kind == ToolKind::Line || kind == ToolKind::Arrow;
}

QString toolEvent(ToolKind kind)
{
    static const QHash<ToolKind, QString> names = {
        {ToolKind::Crop, QStringLiteral("Crop")}, {ToolKind::Arrow, QStringLiteral("Arrow")},
        {ToolKind::Line, QStringLiteral("Line")}, {ToolKind::Square, QStringLiteral("Square")},
        {ToolKind::Text, QStringLiteral("Text")}, {ToolKind::Blur, QStringLiteral("Blur")},
    };
    return QStringLiteral("ec=EditorButtons&ea=Tools.") + names.value(kind);
}

} // namespace

EditorInput::EditorInput(EditorDocument *document, MainEditor *canvas, QScrollArea *scrollArea,
                         QObject *parent)
    : QObject(parent), document(document), canvas(canvas), scrollArea(scrollArea),
      entry(new TextEntry(canvas))
{
    connect(document, &EditorDocument::objectsAboutToBeReplaced, this, &EditorInput::endGesture);
}

QPoint EditorInput::canvasPoint(QPointF viewportPosition) const
{
    const QPoint scroll(scrollArea->horizontalScrollBar()->value(),
                        scrollArea->verticalScrollBar()->value());
    return InputGeometry::canvasPosition(viewportPosition, scroll, canvas->pos());
}

bool EditorInput::textOpen() const
{
    return !entry->isHidden();
}

void EditorInput::chooseTool(ToolKind kind)
{
    finishText();
    const bool cropAgain = kind == ToolKind::Crop && document->editState.kind == ToolKind::Crop;
    document->editState.resetPoints();
    document->editState.kind = kind;
    emit toolShown(kind);
    if (kind != ToolKind::Crop) {
        emit usageEvent(toolEvent(kind));
    } else if (cropAgain) {
        enlargeCanvasToViewport();
        emit usageEvent(toolEvent(kind));
    }
}

void EditorInput::enlargeCanvasToViewport()
{
    const QSize size = canvas->size().expandedTo(scrollArea->viewport()->size());
    canvas->setMinimumSize(size);
    canvas->setMaximumSize(size);
    canvas->resize(size);
    canvas->repaint();
}

bool EditorInput::setToolSize(int size)
{
    document->editState.size = size;
    if (textOpen()) {
        entry->place(document->editState);
        canvas->repaint();
    }
    return SelectionCommands::applySizeToSelected(*document, size);
}

void EditorInput::colorPicked(const QColor &color)
{
    if (color.isValid()) {
        document->editState.color = color;
        emit toolColorShown();
        if (textOpen()) {
            entry->place(document->editState);
            canvas->repaint();
        }
        if (!mouseDown)
            SelectionCommands::applyColorToSelected(*document, color);
    }
    emit usageEvent(QStringLiteral("ec=EditorButtons&ea=ChoiceColor"));
}

void EditorInput::removeSelectedObject()
{
    endGesture();
    SelectionCommands::removeSelected(*document);
}

void EditorInput::textChanged()
{
    document->editState.text = entry->toPlainText();
    entry->place(document->editState);
    canvas->repaint();
}

void EditorInput::cursorPositionChanged()
{
    // Clearing the entry after a commit moves its cursor too; the caret is gone by then.
    if (!textOpen())
        return;
    QTextCursor cursor = entry->textCursor();
    if (cursor.hasSelection()) {
        cursor.clearSelection();
        entry->setTextCursor(cursor);
    }
    document->editState.caret = cursor.position();
    canvas->repaint();
}

void EditorInput::openText()
{
    DrawObject &state = document->editState;
    reEditing = false;
    entry->clear();
    state.text.clear();
    state.serial = 0;
    state.live = true;
    state.caret = 0;
    entry->place(state);
    entry->show();
    entry->setFocus();
}

void EditorInput::finishText()
{
    if (finishingText || !textOpen())
        return;
    const QScopedValueRollback<bool> guard(finishingText, true);
    entry->hide();
    entry->clearFocus();

    DrawObject &state = document->editState;
    state.text = entry->toPlainText();
    if (!state.text.isEmpty()) {
        DrawObject typed;
        typed.kind = ToolKind::Text;
        typed.color = state.color;
        typed.size = state.size;
        typed.emphasis = state.emphasis;
        typed.text = state.text;
        // A text edited again keeps its place in the badge numbering.
        typed.serial = state.serial;
        const QSize extent = textExtent(typed.text, typed.size);
        typed.setPoints(state.p1.x(), state.p1.y(), state.p1.x() + extent.width(),
                        state.p1.y() + extent.height());
        // Bounds make the text nudgeable like every other object.
        typed.normalize(0, 0);
        document->commitChange([&] { document->objects.append(typed); });
    } else if (reEditing) {
        // Everything was deleted from a text taken out of the document: that removal is the change.
        document->commitChange([] {});
    }
    reEditing = false;
    entry->clear();
    state.text.clear();
    state.serial = 0;
    state.caret = -1;
    state.live = false;
    state.selected = false;
    canvas->repaint();
}

void EditorInput::reEditText(int index)
{
    const DrawObject text = document->objects.at(index);
    DrawObject &state = document->editState;
    state.color = text.color;
    emit toolColorShown();
    emit toolSizeShown(text.size);
    state.size = text.size;
    state.kind = ToolKind::Text;
    emit toolShown(ToolKind::Text);

    state.text = text.text;
    state.p1 = text.p1;
    state.p2 = text.p2;
    state.bounds = text.bounds;
    // The badge belongs to the text: editing must not add or drop it.
    state.emphasis = text.emphasis;
    state.serial = text.serial;
    state.live = true;
    state.selected = true;
    document->objects.removeAt(index);
    document->selectedIndex = -1;
    document->grabHandle = -1;
    reEditing = true;

    entry->show();
    entry->setPlainText(text.text);
    entry->moveCursor(QTextCursor::End);
    state.caret = entry->textCursor().position();
    entry->place(state);
    entry->setFocus();
    canvas->repaint();
}

void EditorInput::mousePress(const QMouseEvent &event, QPointF viewportPosition)
{
    if (!document->isOpen() || !scrollArea->viewport()->rect().contains(viewportPosition.toPoint()))
        return;
    const QPoint at = canvasPoint(viewportPosition);
    // Ctrl held for a click is a modifier of that click, not a tap that toggles the badge.
    if (ctrlArmed)
        ctrlSpoiled = true;
    moving = false;
    mouseDown = true;
    finishText();

    DrawObject &state = document->editState;
    state.resetPoints();
    state.p1 = at;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (isStroke(state.kind))
        state.emphasis = modifiers & (Qt::ControlModifier | Qt::MetaModifier) ? 1 : 0;
    else if (state.kind == ToolKind::Square)
        state.emphasis = modifiers & Qt::ControlModifier ? 1 : 0;
    else if (state.kind != ToolKind::Text)
        state.emphasis = 0;

    document->selectedIndex = -1;
    document->grabHandle = -1;
    document->clearSelection();
    lastDragPoint = at;

    const bool pictureGrab =
        event.button() == Qt::RightButton ||
        (event.button() == Qt::LeftButton && modifiers.testFlag(Qt::ShiftModifier));
    if (!(pictureGrab && grabPictureAt(at)))
        selectAt(at);
    state.live = false;
    canvas->repaint();
}

bool EditorInput::grabPictureAt(QPoint at)
{
    for (int i = int(document->objects.size()) - 1; i >= 0; --i) {
        DrawObject &object = document->objects[i];
        if (object.kind != ToolKind::Picture || (i == 0 && document->blankDocument))
            continue;
        if (object.hitTest(at.x(), at.y()) < 0)
            continue;
        object.selected = true;
        document->draft = object;
        document->selectedIndex = i;
        document->grabHandle = DrawObject::BodyHit;
        moving = true;
        return true;
    }
    return false;
}

void EditorInput::selectAt(QPoint at)
{
    for (int i = int(document->objects.size()) - 1; i >= 0; --i) {
        DrawObject &object = document->objects[i];
        const int hit = object.hitTest(at.x(), at.y());
        // The left button takes a picture by its corners only: its body is where drawing starts.
        if (hit < 0 || (object.kind == ToolKind::Picture && hit == DrawObject::BodyHit))
            continue;
        object.selected = true;
        document->draft = object;
        document->selectedIndex = i;
        document->grabHandle = hit;
        if (object.kind != ToolKind::Picture)
            showToolOf(object);
        return;
    }
}

void EditorInput::showToolOf(const DrawObject &object)
{
    document->editState.color = object.color;
    emit toolColorShown();
    emit toolSizeShown(object.size);
}

void EditorInput::mouseMove(const QMouseEvent &event, QPointF viewportPosition)
{
    if (!mouseDown)
        return;
    const QPoint at = canvasPoint(viewportPosition);
    DrawObject &state = document->editState;
    const int selected = document->selectedIndex;
    if (moving && selected >= 0) {
        DrawObject &picture = document->objects[selected];
        picture.moveBy(state.p1.x() - at.x(), state.p1.y() - at.y());
        picture.normalize(0, 0);
        state.p1 = at;
        emit canvasResizeNeeded(false);
        canvas->repaint();
        return;
    }
    if (event.buttons() & Qt::RightButton)
        return;
    const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
    if (selected >= 0 && document->grabHandle >= 0) {
        dragSelection(at, shift);
        return;
    }
    if (state.p1.x() < 1)
        return;
    state.p2 = shift ? InputGeometry::shiftAligned(state.p1, at) : at;
    state.live = true;
    canvas->repaint();
}

void EditorInput::dragSelection(QPoint at, bool shift)
{
    DrawObject &object = document->objects[document->selectedIndex];
    const int handle = document->grabHandle;
    if (object.kind == ToolKind::Picture && handle >= 1) {
        // Measured from the picture as it was grabbed, so the fixed corner cannot wander when the
        // pointer crosses it.
        const auto resized = InputGeometry::resizedPicture(document->draft.bounds, handle, at);
        if (!resized)
            return;
        object.setPoints(resized->left(), resized->top(), resized->left() + resized->width(),
                         resized->top() + resized->height());
    } else if (handle >= 1) {
        QPoint target = at;
        if (shift && isStroke(object.kind) && (handle == 1 || handle == 2))
            target = InputGeometry::shiftAligned(handle == 1 ? object.p2 : object.p1, at);
        object.setHandle(handle, target.x(), target.y());
    } else {
        object.moveBy(lastDragPoint.x() - at.x(), lastDragPoint.y() - at.y());
        lastDragPoint = at;
    }
    object.normalize(0, 0);
    emit canvasResizeNeeded(false);
    canvas->repaint();
}

void EditorInput::mouseRelease(const QMouseEvent &event, QPointF viewportPosition)
{
    if (!mouseDown)
        return;
    const QPoint at = canvasPoint(viewportPosition);
    DrawObject &state = document->editState;
    const int selected = document->selectedIndex;

    if (moving && selected >= 0) {
        if (document->objects.at(selected).p1 != document->draft.p1) {
            // The drag has moved the picture already; this records where it ended.
            document->commitChange([&] { document->objects[selected].selected = false; });
            document->selectedIndex = -1;
            document->grabHandle = -1;
        }
        moving = false;
        mouseDown = false;
        return;
    }
    if (event.button() == Qt::RightButton) {
        mouseDown = false;
        return;
    }
    if (selected >= 0) {
        DrawObject &object = document->objects[selected];
        const DrawObject &draft = document->draft;
        if (object.p1 != draft.p1 || object.p2 != draft.p2 || object.bounds != draft.bounds) {
            if (object.kind == ToolKind::Square || object.kind == ToolKind::Blur)
                object.normalize(canvas->width(), canvas->height());
            // The drag has edited the object in place; the snapshot is taken unselected.
            document->commitChange([] {});
            document->selectedIndex = -1;
            document->grabHandle = -1;
            state.resetPoints();
            state.live = false;
        }
        mouseDown = false;
        return;
    }

    state.p2 = event.modifiers().testFlag(Qt::ShiftModifier)
                   ? InputGeometry::shiftAligned(state.p1, at)
                   : at;
    if (state.kind != ToolKind::Text) {
        state.normalize(canvas->width(), canvas->height());
        if (state.p1.x() > 0 && QLineF(state.p1, state.p2).length() > 10.0)
            finishDrawing();
        state.resetPoints();
        state.live = false;
    } else if (state.caret == -1) {
        openText();
    }
    canvas->repaint();
    mouseDown = false;
}

void EditorInput::finishDrawing()
{
    DrawObject &state = document->editState;
    switch (state.kind) {
    case ToolKind::Crop:
        crop();
        entry->hide();
        break;
    case ToolKind::Blur:
        if (!document->mainPixmap.isNull() && state.bounds.width > 0 && state.bounds.height > 0) {
            DrawObject blur;
            blur.kind = ToolKind::Blur;
            blur.color = state.color;
            blur.setPoints(state.bounds.left, state.bounds.top, state.bounds.right,
                           state.bounds.bottom);
            blur.normalize(canvas->width(), canvas->height());
            document->commitChange([&] { document->objects.append(blur); });
        }
        break;
    case ToolKind::Line:
    case ToolKind::Square:
    case ToolKind::Arrow: {
        DrawObject drawn = state;
        drawn.live = false;
        drawn.selected = false;
        drawn.caret = -1;
        drawn.text.clear();
        document->commitChange([&] { document->objects.append(drawn); });
        state.fill = false;
        break;
    }
    default:
        break;
    }
}

void EditorInput::crop()
{
    const QRect area = Crop::cropArea(document->editState.p1, document->editState.p2);
    if (area.isEmpty())
        return;
    document->commitChange([&] {
        document->objects = Crop::croppedObjects(document->objects, document->pictures, area);
        for (const DrawObject &object : std::as_const(document->objects)) {
            if (object.kind == ToolKind::Picture) {
                document->mainPixmap = document->pictures.at(object.pictureIndex);
                break;
            }
        }
    });
}

void EditorInput::mouseDoubleClick(const QMouseEvent &event, QPointF viewportPosition)
{
    const int index = document->selectedIndex;
    if (event.button() != Qt::LeftButton || index < 0 || index >= document->objects.size() ||
        !scrollArea->viewport()->rect().contains(viewportPosition.toPoint()))
        return;
    if (document->objects.at(index).kind == ToolKind::Text)
        reEditText(index);
    else
        SelectionCommands::toggleFill(*document, index);
}

void EditorInput::trackKeyPress(const QKeyEvent &event)
{
    if (isCtrlKey(event.key())) {
        if (!event.isAutoRepeat()) {
            ctrlArmed = true;
            ctrlSpoiled = false;
        }
        return;
    }
    if (ctrlArmed)
        ctrlSpoiled = true;
}

void EditorInput::trackKeyRelease(const QKeyEvent &event)
{
    if (!isCtrlKey(event.key())) {
        // A shortcut may have taken the key's press; its release still shows Ctrl was not alone.
        if (ctrlArmed)
            ctrlSpoiled = true;
        return;
    }
    if (event.isAutoRepeat())
        return;
    if (ctrlArmed && !ctrlSpoiled)
        ctrlTapped();
    ctrlArmed = false;
}

void EditorInput::ctrlTapped()
{
    if (!textOpen() && SelectionCommands::toggleSelectedEmphasis(*document))
        return;
    DrawObject &state = document->editState;
    if (!state.live || !canCarryBadge(state.kind))
        return;
    if (state.kind == ToolKind::Text)
        state.text = entry->toPlainText();
    state.emphasis = state.emphasis == 1 ? 0 : 1;
    canvas->repaint();
}

void EditorInput::keyReleased(const QKeyEvent &event)
{
    trackKeyRelease(event);
    if (textOpen())
        return;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    if ((ctrl && key == Qt::Key_Up) || (shift && (key == Qt::Key_Equal || key == Qt::Key_Plus))) {
        SelectionCommands::reorderSelected(*document, SelectionCommands::Reorder::Forward);
    } else if ((ctrl && key == Qt::Key_Down) ||
               (shift && (key == Qt::Key_Minus || key == Qt::Key_Underscore))) {
        SelectionCommands::reorderSelected(*document, SelectionCommands::Reorder::Backward);
    } else if (modifiers == Qt::NoModifier) {
        SelectionCommands::nudgeSelected(*document, Qt::Key(key), canvas->size());
    }
}

bool EditorInput::wheel(const QWheelEvent &event)
{
    if (!event.modifiers().testFlag(Qt::ShiftModifier))
        return false;
    const QPoint angle = event.angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    QScrollBar *bar = scrollArea->horizontalScrollBar();
    bar->setValue(bar->value() - delta);
    return true;
}

void EditorInput::endGesture()
{
    if (!mouseDown)
        return;
    mouseDown = false;
    moving = false;
    document->selectedIndex = -1;
    document->grabHandle = -1;
    DrawObject &state = document->editState;
    if (!textOpen()) {
        state.resetPoints();
        state.live = false;
    }
    canvas->repaint();
}

void EditorInput::reset()
{
    const QScopedValueRollback<bool> guard(finishingText, true);
    mouseDown = false;
    moving = false;
    ctrlArmed = false;
    ctrlSpoiled = false;
    reEditing = false;
    entry->hide();
    entry->clear();
    document->editState.text.clear();
    document->editState.serial = 0;
    document->editState.caret = -1;
    document->editState.live = false;
}
