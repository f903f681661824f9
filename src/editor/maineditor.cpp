#include "maineditor.h"

#include "editordocument.h"
#include "scenepainter.h"

MainEditor::MainEditor(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setStyleSheet(QStringLiteral("border:2px solid gray;"));
}

void MainEditor::attachDocument(EditorDocument *document)
{
    historyIndex = &document->historyIndex;
    editState = &document->editState;
    objects = &document->objects;
    pictures = &document->pictures;
    connect(document, &EditorDocument::changed, this, qOverload<>(&QWidget::repaint));
}

void MainEditor::paintSceneOn(QPaintDevice *device)
{
    const int visibleCount = *historyIndex >= 0 ? std::min(*historyIndex + 1, int(objects->size()))
                                                : int(objects->size());
    const QSize canvasSize = size();
    cache.beginPaint(*objects, visibleCount, *pictures, canvasSize);
    const PaintContext context{*objects, *pictures, visibleCount, canvasSize, handleRadius, &cache};
    painter.begin(device);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    if (device == this && !canvasCoveredByOpaquePicture(context))
        painter.fillRect(rect(), Qt::white);
    paintScene(painter, context, *editState);
    painter.end();
}

void MainEditor::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!objects)
        return;
    paintSceneOn(this);
    if (editState->renderToTarget && editState->renderTarget &&
        !editState->renderTarget->isNull()) {
        // The target was filled white by whoever asked for it.
        paintSceneOn(editState->renderTarget);
        targetPainted = true;
    }
}

QPixmap MainEditor::renderResult()
{
    QPixmap result(size());
    result.fill(Qt::white);
    if (!objects)
        return result;
    for (DrawObject &object : *objects)
        object.selected = false;
    editState->renderTarget = &result;
    editState->renderToTarget = true;
    targetPainted = false;
    repaint();
    // A hidden or unexposed canvas gets no paint event; the output must not come out blank.
    if (!targetPainted)
        paintSceneOn(&result);
    editState->renderToTarget = false;
    editState->renderTarget = nullptr;
    return result;
}
