#pragma once

#include "drawobject.h"

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSize>

#include <functional>

// The document of one capture: its objects, the pictures they reference and the undo history.
// Widget-free; the window reads its state and listens to its signals to repaint and to set the
// undo, redo and output buttons.
class EditorDocument : public QObject
{
    Q_OBJECT

public:
    explicit EditorDocument(QObject *parent = nullptr);

    QList<DrawObject> objects;
    QList<QPixmap> pictures;
    QList<QList<DrawObject>> history;
    // -1: the newest snapshot is shown; otherwise the snapshot reached by undo or redo.
    int historyIndex = -1;
    QPixmap mainPixmap;
    DrawObject editState;
    DrawObject draft;
    int selectedIndex = -1;
    int grabHandle = -1;
    bool blankDocument = false;

    // Snapshots never carry a selection: undo and redo always show the document unselected.
    void pushHistory();
    // Drops the snapshots after historyIndex and the pictures only they referenced.
    void truncateHistory();
    void reset();
    void startFromImage(const QPixmap &image);
    // A white canvas of the given size that the first added picture replaces.
    void startBlank(const QSize &size);
    // Adds an image below the lowest picture (or in place of the blank canvas).
    void addPictureBelow(const QPixmap &image);
    void undo();
    void redo();

    // Every edit goes through here: `change` edits objects (and pictures or mainPixmap when it
    // must) after the undone snapshots are discarded, then the result becomes the newest one.
    void commitChange(const std::function<void()> &change);

    void clearSelection();

    bool isOpen() const { return !history.isEmpty(); }
    bool canUndo() const;
    bool canRedo() const;
    // Objects taking part in painting: after undo, no more than the shown snapshot's position.
    int visibleCount() const;
    // The canvas size the content needs: the main image grown to the lowest and rightmost picture.
    QSize contentSize() const;

signals:
    // The document looks different: repaint.
    void changed();
    // canUndo, canRedo or isOpen may have changed.
    void historyChanged();
    // mainPixmap was replaced (or emptied): the canvas must take contentSize().
    void mainImageChanged();
    // Undo, redo or reset is about to replace the objects list: indexes into it stop being valid.
    void objectsAboutToBeReplaced();

private:
    void stampNewObjects();
    void showSnapshot(int index);
    static int largestPictureIndex(const QList<DrawObject> &snapshot);

    int lastSerial = 0;
};
