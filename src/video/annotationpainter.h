#pragma once

#include "videoannotation.h"

#include <QImage>
#include <QList>

#include <optional>

// Draws one kind of annotation into a frame. The editor's view and the bake share these, so the
// exported pixels are exactly the ones the user saw, less the editor's decorations.
class AnnotationPainter
{
public:
    virtual ~AnnotationPainter() = default;
    // The frame may be converted to another 32-bit format on the way (blur needs premultiplied
    // pixels); its size and pixels outside the annotation stay as they are.
    virtual void paint(QImage &frame, const VideoAnnotation &annotation) const = 0;

    // The painter for the kind; kinds out of range paint nothing.
    static const AnnotationPainter &forKind(int kind);
};

class ArrowAnnotationPainter : public AnnotationPainter
{
public:
    void paint(QImage &frame, const VideoAnnotation &annotation) const override;
};

class RectangleAnnotationPainter : public AnnotationPainter
{
public:
    void paint(QImage &frame, const VideoAnnotation &annotation) const override;
};

class BlurAnnotationPainter : public AnnotationPainter
{
public:
    // The coarse pixelation's factor: a region shrinks to a tenth before it is scaled back.
    static constexpr int factor = 10;
    void paint(QImage &frame, const VideoAnnotation &annotation) const override;
};

class TextAnnotationPainter : public AnnotationPainter
{
public:
    static constexpr int smallestPixelSize = 8;
    void paint(QImage &frame, const VideoAnnotation &annotation) const override;
};

// Paints, in list order, every annotation shown at `ms`, leaving out the one at index `skipped`.
// This is the whole of the export: no frames, handles or previews.
void paintAnnotationsAt(QImage &frame, qint64 ms, const QList<VideoAnnotation> &annotations,
                        int skipped = -1);

// What the editor's view adds on top of the annotations.
struct EditorDecorations
{
    int selected = -1;
    // The text annotation being edited is shown by the text editor instead.
    int hidden = -1;
    // The annotation being dragged out, drawn half transparent with its frame.
    std::optional<VideoAnnotation> draft;
};

// The frame as the editor shows it at `ms`: the annotations, then the selected one's dashed frame
// (blur and text) and handles, then the draft.
QImage renderEditorFrame(const QImage &frame, qint64 ms, const QList<VideoAnnotation> &annotations,
                         const EditorDecorations &decorations);
