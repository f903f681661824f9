#include "framepreview.h"

#include "framestore.h"

#include <QLabel>
#include <QPixmap>

FramePreview::FramePreview(QLabel *label) : label(label) {}

void FramePreview::show(const FrameStore &frames, qsizetype index, qint64 ms,
                        const QList<VideoAnnotation> &annotations,
                        const EditorDecorations &decorations)
{
    if (&frames != shownStore || index != shownIndex || decoded.isNull()) {
        decoded = frames.at(index);
        shownStore = &frames;
        shownIndex = index;
    }
    if (decoded.isNull())
        return;
    const QImage view = renderEditorFrame(decoded, ms, annotations, decorations);
    const AnnotationGeometry::FrameViewport fit = viewport();
    label->setPixmap(QPixmap::fromImage(
        fit.scale() < 1.0
            ? view.scaled(fit.shownRect().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            : view));
}

void FramePreview::forget()
{
    decoded = QImage();
    shownStore = nullptr;
    shownIndex = -1;
}

AnnotationGeometry::FrameViewport FramePreview::viewport() const
{
    return AnnotationGeometry::FrameViewport(decoded.size(), label->size());
}
