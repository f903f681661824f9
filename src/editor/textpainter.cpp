#include "decorations.h"
#include "paintcache.h"
#include "painters.h"
#include "textmetrics.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

// Where drawText puts the glyphs, relative to the text's origin.
QRect textBox(const QString &text, int size)
{
    const QSize extent = textExtent(text, size);
    return QRect(QPoint(), QSize(extent.width() + 5, extent.height()));
}

void drawGlyphs(QPainter &painter, QPoint origin, const QColor &color, const QString &text,
                int size)
{
    painter.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setFont(textFont(size));
    painter.drawText(textBox(text, size).translated(origin), Qt::TextWordWrap, text);
}

// Each pixel takes the strongest coverage within `reach` of it: the glyphs grown by a round pen.
// Rows are first widened by every half width the disc has, each from the one before, then
// combined across the disc's rows.
QImage grown(const QImage &coverage, double reach)
{
    const int r = int(reach);
    const int width = coverage.width();
    const int height = coverage.height();
    QList<QImage> widened{coverage};
    for (int h = 1; h <= r; ++h) {
        const QImage &narrower = widened.constLast();
        QImage wider = narrower;
        for (int y = 0; y < height; ++y) {
            const uchar *from = coverage.constScanLine(y);
            uchar *to = wider.scanLine(y);
            for (int x = 0; x < width; ++x) {
                if (x >= h)
                    to[x] = std::max(to[x], from[x - h]);
                if (x + h < width)
                    to[x] = std::max(to[x], from[x + h]);
            }
        }
        widened.append(wider);
    }

    QImage result(coverage.size(), QImage::Format_Alpha8);
    result.fill(0);
    for (int dy = -r; dy <= r; ++dy) {
        const QImage &row = widened.at(int(std::sqrt(reach * reach - dy * dy)));
        for (int y = std::max(0, dy); y < std::min(height, height + dy); ++y) {
            const uchar *from = row.constScanLine(y - dy);
            uchar *to = result.scanLine(y);
            for (int x = 0; x < width; ++x)
                to[x] = std::max(to[x], from[x]);
        }
    }
    return result;
}

} // namespace

TextHalo renderTextHalo(const QString &text, int size)
{
    // The halo is the glyphs as drawn, grown by half the halo pen's width. Stroking the font's
    // outlines instead is not repeatable: for hinted fonts the engine hands out outlines that
    // move by fractions of a pixel depending on what it rasterised before, so the same text
    // would come out differently from one paint to the next.
    const double reach = std::max(size + 2, 3) / 2.0;
    const int margin = int(std::ceil(reach)) + 1;
    const QRect box = textBox(text, size);
    QImage coverage(box.size() + QSize(2 * margin, 2 * margin), QImage::Format_Alpha8);
    coverage.fill(0);
    {
        QPainter painter(&coverage);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        drawGlyphs(painter, QPoint(margin, margin), Qt::white, text, size);
    }
    const QImage alpha = grown(coverage, reach);
    TextHalo halo{QImage(alpha.size(), QImage::Format_ARGB32_Premultiplied),
                  QPoint(-margin, -margin)};
    for (int y = 0; y < alpha.height(); ++y) {
        const uchar *from = alpha.constScanLine(y);
        auto *to = reinterpret_cast<QRgb *>(halo.image.scanLine(y));
        for (int x = 0; x < alpha.width(); ++x)
            to[x] = qRgba(from[x], from[x], from[x], from[x]);
    }
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
    const TextHalo halo = context.cache ? context.cache->textHalo(object.text, object.size)
                                        : renderTextHalo(object.text, object.size);
    painter.drawImage(origin + halo.offset, halo.image);

    if (object.caret < 0) {
        drawGlyphs(painter, origin, object.color, object.text, object.size);
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
        drawBadge(painter, QPointF(origin.x() - r - 6, origin.y() + r), object, context);
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
