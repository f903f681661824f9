#include "painters.h"

const ObjectPainter *painterFor(ToolKind kind)
{
    static const PicturePainter picture;
    static const LinePainter line;
    static const SquarePainter square;
    static const ArrowPainter arrow;
    static const TextPainter text;
    static const BlurPainter blur;
    switch (kind) {
    case ToolKind::Picture:
        return &picture;
    case ToolKind::Line:
        return &line;
    case ToolKind::Square:
        return &square;
    case ToolKind::Arrow:
        return &arrow;
    case ToolKind::Text:
        return &text;
    case ToolKind::Blur:
        return &blur;
    default:
        return nullptr;
    }
}
