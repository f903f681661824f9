#pragma once

#include "drawobject.h"
#include "paintcache.h"

#include <QLabel>
#include <QList>
#include <QPainter>
#include <QPixmap>

class EditorDocument;

// The editor's canvas: paints the document it is attached to, plus the object being drawn.
// It owns nothing of the document.
class MainEditor : public QLabel
{
    Q_OBJECT

public:
    explicit MainEditor(QWidget *parent = nullptr);

    // Points the canvas at the document and repaints it whenever it changes.
    void attachDocument(EditorDocument *document);

    // The document as one pixmap of the canvas size, without selection marks. Clears the
    // selection, so the canvas shows none afterwards either.
    QPixmap renderResult();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintSceneOn(QPaintDevice *device);

    const int *historyIndex = nullptr;
    DrawObject *editState = nullptr;
    QList<DrawObject> *objects = nullptr;
    QList<QPixmap> *pictures = nullptr;
    QPainter painter;
    int handleRadius = 7;

    PaintCache cache;
    bool targetPainted = false;
};
