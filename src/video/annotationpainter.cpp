#include "annotationpainter.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

constexpr double arrowHeadLength = 16.0;
constexpr double arrowHeadHalfAngle = M_PI / 6.0;
constexpr int strokeWidth = 4;
constexpr int handleDiameter = 12;

QRect clippedBox(const QImage &frame, const VideoAnnotation &annotation)
{
    return annotation.box() & frame.rect();
}

// Blur reads the frame's pixels and draws them back; the painters share this one format so that a
// frame is converted at most once.
void makePaintable(QImage &frame)
{
    if (frame.format() != QImage::Format_ARGB32_Premultiplied)
        frame.convertTo(QImage::Format_ARGB32_Premultiplied);
}

void paintDashedFrame(QPainter &painter, const QRect &box)
{
    QPen dark(QColor(65, 65, 65), 3, Qt::DashLine);
    painter.setPen(dark);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    QPen light(QColor(205, 205, 205), 1, Qt::DashLine);
    light.setDashOffset(4);
    painter.setPen(light);
    painter.drawRect(box);
}

bool hasFrame(const VideoAnnotation &annotation)
{
    return annotation.kind == VideoAnnotation::Blur || annotation.kind == VideoAnnotation::Text;
}

void paintFrameAround(QImage &frame, const VideoAnnotation &annotation)
{
    const QRect box = clippedBox(frame, annotation);
    if (box.isEmpty())
        return;
    QPainter painter(&frame);
    painter.setClipRect(frame.rect());
    paintDashedFrame(painter, box);
}

void paintHandles(QImage &frame, const VideoAnnotation &annotation)
{
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(annotation.color);
    const double radius = handleDiameter / 2.0;
    for (const QPoint &point : {annotation.p1, annotation.p2})
        painter.drawEllipse(QPointF(point), radius, radius);
}

} // namespace

const AnnotationPainter &AnnotationPainter::forKind(int kind)
{
    static const ArrowAnnotationPainter arrow;
    static const RectangleAnnotationPainter rectangle;
    static const BlurAnnotationPainter blur;
    static const TextAnnotationPainter text;
    static const struct : AnnotationPainter
    {
        void paint(QImage &, const VideoAnnotation &) const override {}
    } nothing;
    switch (kind) {
    case VideoAnnotation::Arrow:
        return arrow;
    case VideoAnnotation::Rectangle:
        return rectangle;
    case VideoAnnotation::Blur:
        return blur;
    case VideoAnnotation::Text:
        return text;
    default:
        return nothing;
    }
}

void ArrowAnnotationPainter::paint(QImage &frame, const VideoAnnotation &annotation) const
{
    makePaintable(frame);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(annotation.color, strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    const QPointF tail(annotation.p1);
    const QPointF tip(annotation.p2);
    painter.drawLine(tail, tip);

    const double angle = std::atan2(tail.y() - tip.y(), tail.x() - tip.x());
    const QPolygonF head{tip,
                         tip + arrowHeadLength * QPointF(std::cos(angle + arrowHeadHalfAngle),
                                                         std::sin(angle + arrowHeadHalfAngle)),
                         tip + arrowHeadLength * QPointF(std::cos(angle - arrowHeadHalfAngle),
                                                         std::sin(angle - arrowHeadHalfAngle))};
    painter.setPen(Qt::NoPen);
    painter.setBrush(annotation.color);
    painter.drawPolygon(head);
}

void RectangleAnnotationPainter::paint(QImage &frame, const VideoAnnotation &annotation) const
{
    const QRect box = clippedBox(frame, annotation);
    if (box.isEmpty())
        return;
    makePaintable(frame);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(annotation.color, strokeWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

void BlurAnnotationPainter::paint(QImage &frame, const VideoAnnotation &annotation) const
{
    const QRect box = clippedBox(frame, annotation);
    makePaintable(frame);
    if (box.width() * box.height() <= 1)
        return;
    const QSize coarse(std::max(1, box.width() / factor), std::max(1, box.height() / factor));
    const QImage blurred = frame.copy(box)
                               .scaled(coarse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .scaled(box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&frame);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(box.topLeft(), blurred);
}

void TextAnnotationPainter::paint(QImage &frame, const VideoAnnotation &annotation) const
{
    const QRect box = clippedBox(frame, annotation);
    if (box.isEmpty() || annotation.text.isEmpty())
        return;
    makePaintable(frame);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("monospace"));
    font.setPixelSize(std::max(annotation.fontPixelSize, smallestPixelSize));
    font.setWeight(QFont::Bold);
    painter.setFont(font);
    painter.setPen(annotation.color);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, annotation.text);
}

void paintAnnotationsAt(QImage &frame, qint64 ms, const QList<VideoAnnotation> &annotations,
                        int skipped)
{
    for (qsizetype i = 0; i < annotations.size(); ++i) {
        const VideoAnnotation &annotation = annotations.at(i);
        if (i != skipped && annotation.isShownAt(ms))
            AnnotationPainter::forKind(annotation.kind).paint(frame, annotation);
    }
}

QImage renderEditorFrame(const QImage &frame, qint64 ms, const QList<VideoAnnotation> &annotations,
                         const EditorDecorations &decorations)
{
    // One pass makes both the copy and the format every painter works in.
    QImage view = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (view.isNull())
        return view;
    paintAnnotationsAt(view, ms, annotations, decorations.hidden);
    if (decorations.selected >= 0 && decorations.selected < annotations.size()) {
        const VideoAnnotation &selected = annotations.at(decorations.selected);
        if (hasFrame(selected))
            paintFrameAround(view, selected);
        paintHandles(view, selected);
    }
    if (decorations.draft) {
        AnnotationPainter::forKind(decorations.draft->kind).paint(view, *decorations.draft);
        if (hasFrame(*decorations.draft))
            paintFrameAround(view, *decorations.draft);
    }
    return view;
}
