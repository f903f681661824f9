#pragma once

#include "annotationgeometry.h"
#include "annotationpainter.h"

#include <QImage>

class FrameStore;
class QLabel;

// Shows a recorded frame with the editor's annotations in a label, shrunk to fit when the label is
// smaller. The decoded frame is kept while it stays the one shown, so that drawing and dragging
// paint again without decoding again.
class FramePreview
{
public:
    explicit FramePreview(QLabel *label);

    void show(const FrameStore &frames, qsizetype index, qint64 ms,
              const QList<VideoAnnotation> &annotations, const EditorDecorations &decorations);
    // The frames changed: the kept frame is stale.
    void forget();

    // Maps between the label and the frame shown last.
    AnnotationGeometry::FrameViewport viewport() const;

private:
    QLabel *label;
    const FrameStore *shownStore = nullptr;
    qsizetype shownIndex = -1;
    QImage decoded;
};
