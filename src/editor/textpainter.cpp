#include "decorations.h"
#include "paintcache.h"
#include "painters.h"
#include "textmetrics.h"

#include <QFontMetrics>
#include <QPainterPath>

#include <algorithm>

namespace {

QPainterPath textPath(QPoint origin, const QString &text, int size)
{
    const QFont font = textFont(size);
    const QFontMetrics metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QPainterPath path;
    for (int i = 0; i < lines.size(); ++i)
        path.addText(origin.x(), origin.y() + metrics.ascent() + i * metrics.height(), font,
                     lines.at(i));
    return path;
}

QPen haloPen(int size)
{
    return QPen(Qt::white, std::max(size + 2, 3), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

void strokeTextHalo(QPainter &painter, QPoint origin, const QString &text, int size)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(haloPen(size));
    painter.drawPath(textPath(origin, text, size));
    painter.restore();
}

TextHalo renderTextHalo(const QString &text, int size)
{
    // Stroking the outline is by far the dearest part of a text; drawn once at the origin it can
    // be blitted wherever the text sits, with the same coverage since the shift is whole pixels.
    const int margin = haloPen(size).width() / 2 + 2;
    const QRect area = textPath(QPoint(), text, size)
                           .boundingRect()
                           .toAlignedRect()
                           .adjusted(-margin, -margin, margin, margin);
    TextHalo halo{QImage(area.size(), QImage::Format_ARGB32_Premultiplied), area.topLeft()};
    halo.image.fill(Qt::transparent);
    QPainter painter(&halo.image);
    painter.setRenderHint(QPainter::Antialiasing);
    strokeTextHalo(painter, -area.topLeft(), text, size);
    return halo;
}

void TextPainter::paint(QPainter &painter, const DrawObject &object,
                        const PaintContext &context) const
{
    const QFont font = textFont(object.size);
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height();
    const QSize extent = textExtent(object.text, object.size);
    const QPoint origin = object.p1;

    painter.save();
    painter.setOpacity(1.0);
    painter.setBrush(Qt::NoBrush);

    // The white halo keeps the text readable on any background.
    if (context.cache) {
        const TextHalo &halo = context.cache->textHalo(object.text, object.size);
        painter.drawImage(origin + halo.offset, halo.image);
    } else {
        strokeTextHalo(painter, origin, object.text, object.size);
    }

    if (object.caret < 0) {
        painter.setPen(QPen(object.color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setFont(font);
        painter.drawText(QRect(origin, QSize(extent.width() + 5, extent.height())),
                         Qt::TextWordWrap, object.text);
    } else {
        // While typing, the entry widget shows the glyphs; the canvas adds halo and caret.
        const int caret = std::min(object.caret, int(object.text.size()));
        const int lineStart =
            caret > 0 ? int(object.text.lastIndexOf(QLatin1Char('\n'), caret - 1)) + 1 : 0;
        const int line = int(object.text.left(caret).count(QLatin1Char('\n')));
        const int x =
            origin.x() + metrics.horizontalAdvance(object.text.mid(lineStart, caret - lineStart));
        const int top = origin.y() + line * lineHeight;
        painter.setPen(Qt::black);
        painter.drawLine(x, top, x, top + lineHeight);
    }

    if (object.emphasis == 1) {
        const double r = badgeRadius(object);
        drawBadge(painter, QPointF(origin.x() - r - 6, origin.y() + r), object);
    }
    if (object.selected) {
        QPen frame(Qt::black, 1);
        frame.setDashPattern({8, 4});
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(origin, extent));
    }
    painter.restore();
}
