#pragma once

#include "drawobject.h"

#include <QObject>
#include <QPoint>
#include <QPointF>

class EditorDocument;
class MainEditor;
class QKeyEvent;
class QMouseEvent;
class QScrollArea;
class QWheelEvent;
class TextEntry;

// Turns the editor window's mouse, keyboard and tool input into changes of the document: drawing,
// selecting, moving and resizing, typing text, the Ctrl badge, reordering, nudging, deleting and
// cropping. The window forwards its events and slots here; mouse positions arrive in the
// coordinates of the scroll area's viewport.
class EditorInput : public QObject
{
    Q_OBJECT

public:
    EditorInput(EditorDocument *document, MainEditor *canvas, QScrollArea *scrollArea,
                QObject *parent = nullptr);

    TextEntry *textEntry() const { return entry; }

    void chooseTool(ToolKind kind);
    // Returns whether the selected object took the size.
    bool setToolSize(int size);
    // An invalid colour is a cancelled dialog.
    void colorPicked(const QColor &color);
    void removeSelectedObject();

    void textChanged();
    void cursorPositionChanged();
    // Records the text being typed, if any, and closes the entry.
    void finishText();

    void mousePress(const QMouseEvent &event, QPointF viewportPosition);
    void mouseMove(const QMouseEvent &event, QPointF viewportPosition);
    void mouseRelease(const QMouseEvent &event, QPointF viewportPosition);
    void mouseDoubleClick(const QMouseEvent &event, QPointF viewportPosition);

    // Ctrl taps: fed with every key press and release the window and its entry see.
    void trackKeyPress(const QKeyEvent &event);
    void trackKeyRelease(const QKeyEvent &event);
    // A key release that reached the window: also reorders and nudges the selection.
    void keyReleased(const QKeyEvent &event);
    // Shift scrolls sideways. Returns whether the wheel was used.
    bool wheel(const QWheelEvent &event);

    // Forgets the gesture and the text being typed, as closing the document does.
    void reset();
    // Drops the press-move-release in progress, whose indexes into the objects would go stale.
    void endGesture();

signals:
    void usageEvent(const QString &event);
    void canvasResizeNeeded(bool fromImage);
    // The tool, size or colour of `editState` changed and the controls should show it.
    void toolShown(ToolKind kind);
    void toolSizeShown(int size);
    void toolColorShown();

private:
    QPoint canvasPoint(QPointF viewportPosition) const;
    bool textOpen() const;
    bool grabPictureAt(QPoint at);
    void selectAt(QPoint at);
    void showToolOf(const DrawObject &object);
    void dragSelection(QPoint at, bool shift);
    void finishDrawing();
    void crop();
    void openText();
    void reEditText(int index);
    void ctrlTapped();
    void enlargeCanvasToViewport();

    EditorDocument *document;
    MainEditor *canvas;
    QScrollArea *scrollArea;
    TextEntry *entry;

    bool mouseDown = false;
    // A picture taken with the right button or Shift follows the pointer.
    bool moving = false;
    bool ctrlArmed = false;
    bool ctrlSpoiled = false;
    // Where the body drag of the selection was last seen.
    QPoint lastDragPoint;
    // The text being typed was taken out of the document to be edited again.
    bool reEditing = false;
    // Hiding the entry takes its focus away, which would finish the text a second time.
    bool finishingText = false;
};
