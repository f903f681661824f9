#include "decorations.h"
#include "painters.h"
#include "textmetrics.h"

#include <QFontMetrics>
#include <QPainterPath>

#include <algorithm>

void TextPainter::paint(QPainter &painter, const DrawObject &object,
                        const PaintContext &context) const
{
    Q_UNUSED(context);
    const QFont font = textFont(object.size);
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height();
    const QStringList lines = object.text.split(QLatin1Char('\n'));
    const QSize extent = textExtent(object.text, object.size);
    const QPoint origin = object.p1;

    painter.save();
    painter.setOpacity(1.0);
    painter.setBrush(Qt::NoBrush);

    QPainterPath path;
    for (int i = 0; i < lines.size(); ++i)
        path.addText(origin.x(), origin.y() + metrics.ascent() + i * lineHeight, font, lines.at(i));
    // The white halo keeps the text readable on any background.
    painter.setPen(
        QPen(Qt::white, std::max(object.size + 2, 3), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);

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
