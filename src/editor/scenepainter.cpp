#include "scenepainter.h"

#include "painters.h"

namespace {

void paintLivePreview(QPainter &painter, const PaintContext &context, DrawObject preview)
{
    if (preview.kind == ToolKind::Crop)
        preview.normalize(0, 0);
    else
        preview.normalize(context.canvasSize.width(), context.canvasSize.height());
    const bool hasArea = preview.bounds.width > 0 && preview.bounds.height > 0;

    switch (preview.kind) {
    case ToolKind::Crop:
    case ToolKind::Blur:
        if (hasArea) {
            static const SelectionPreviewPainter selection;
            selection.paint(painter, preview, context);
        }
        break;
    case ToolKind::Square:
        if (hasArea)
            painterFor(preview.kind)->paint(painter, preview, context);
        break;
    case ToolKind::Line:
    case ToolKind::Arrow:
    case ToolKind::Text:
        painterFor(preview.kind)->paint(painter, preview, context);
        break;
    default:
        break;
    }
}

} // namespace

void paintScene(QPainter &painter, const PaintContext &context, const DrawObject &editState)
{
    const int count = std::min(context.visibleCount, int(context.objects.size()));
    for (int layer = 0; layer <= 3; ++layer) {
        for (int i = 0; i < count; ++i) {
            const DrawObject &object = context.objects.at(i);
            if (layerOf(object) != layer)
                continue;
            if (const ObjectPainter *objectPainter = painterFor(object.kind))
                objectPainter->paint(painter, object, context);
        }
    }
    if (editState.live && editState.kind != ToolKind::None && editState.kind != ToolKind::Picture)
        paintLivePreview(painter, context, editState);
}

bool canvasCoveredByOpaquePicture(const PaintContext &context)
{
    const QRect canvas(QPoint(), context.canvasSize);
    const int count = std::min(context.visibleCount, int(context.objects.size()));
    for (int i = 0; i < count; ++i) {
        const DrawObject &object = context.objects.at(i);
        if (object.kind != ToolKind::Picture)
            continue;
        const QPixmap pixmap = pictureOf(object, context.pictures);
        if (pixmap.isNull() || pixmap.hasAlphaChannel())
            continue;
        const QRect shown = pictureRect(object, pixmap);
        if (shown.size() == pixmap.size() && shown.contains(canvas))
            return true;
    }
    return false;
}
