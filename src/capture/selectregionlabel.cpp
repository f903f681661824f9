#include "selectregionlabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QSysInfo>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int LoupeReach = 123; // how close to the right or bottom edge the loupe may come
constexpr int CellSize = 8;
constexpr int LoupeCells = 13;
constexpr int LoupeSide = CellSize * LoupeCells;

const QColor DimColor(100, 100, 100, 100);
const QColor FrameColor(100, 100, 100);
const QColor StripColor(255, 255, 255, 150);
const QColor MarkerColor(100, 100, 100, 200);
const QColor HintColor(255, 255, 255, 240);

QPen thinPen(const QColor &color)
{
    return QPen(color, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QString modifierName()
{
    const QString product = QSysInfo::productType();
    return product == QLatin1String("osx") || product == QLatin1String("macos")
               ? QStringLiteral("Cmd")
               : QStringLiteral("Ctrl");
}

// The loupe's 13 x 13 cells, 8x magnified; cells beyond the image stay black and the cursor pixel
// stays in the centre cell also when the left or top edge cuts the square.
QPixmap magnified(const FrozenImageSampler::Square &square)
{
    QPixmap loupe(LoupeSide, LoupeSide);
    loupe.fill(Qt::black);
    const qreal ratio = square.pixels.devicePixelRatio();
    const int w = qRound(square.pixels.width() / ratio);
    const int h = qRound(square.pixels.height() / ratio);
    const int ox = square.cutLeft ? LoupeCells - w : 0;
    const int oy = square.cutTop ? LoupeCells - h : 0;
    QPainter painter(&loupe);
    painter.scale(CellSize, CellSize);
    painter.drawImage(QPoint(ox, oy), square.pixels);
    return loupe;
}

} // namespace

SelectRegionLabel::SelectRegionLabel(QWidget *parent) : QLabel(parent) {}

void SelectRegionLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);

    const int W = width();
    const int H = height();
    const int cx = currentPos.x() - x();
    const int cy = currentPos.y() - y();
    const int x0 = startPos.x() - x();
    const int y0 = startPos.y() - y();

    QPainter painter(this);

    QPainterPath dimming;
    dimming.setFillRule(Qt::OddEvenFill);
    dimming.addRect(0, 0, W, H);
    if (selecting)
        dimming.addRect(x0, y0, cx - x0 + 1, cy - y0 + 1);
    painter.setPen(thinPen(FrameColor));
    painter.setBrush(DimColor);
    painter.drawPath(dimming);

    painter.drawLine(cx, 0, cx, H);
    painter.drawLine(0, cy, W, cy);

    QFont font(QStringLiteral("monospace"));
    font.setPixelSize(10);
    painter.setFont(font);

    const bool nearRight = cx + LoupeReach >= W;
    const bool nearBottom = cy + LoupeReach >= H;
    const int lx = nearRight ? cx - 124 : cx;
    const int ly = nearBottom ? cy - 134 : cy;
    const bool showHint = !showLoupe || !(nearRight && nearBottom);

    if (showLoupe) {
        painter.setPen(thinPen(Qt::gray));
        painter.setBrush(StripColor);
        painter.drawRect(QRect(QPoint(lx + 9, ly + 114), QPoint(lx + 113, ly + 128)));

        painter.setPen(thinPen(Qt::black));
        const QPixmap frozen = pixmap();
        if (!frozen.isNull()) {
            pickedColor = sampler.colorAt(frozen, currentPos);
            painter.drawText(QPoint(lx + 67, ly + 126), pickedColor.name().toUpper());
        }

        painter.drawPixmap(lx + 10, ly + 10, magnified(sampler.squareAround(frozen, currentPos)));

        painter.setPen(QPen(MarkerColor, CellSize, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(lx + 62, ly + 10, lx + 62, ly + 58);
        painter.drawLine(lx + 62, ly + 66, lx + 62, ly + 114);
        painter.drawLine(lx + 10, ly + 62, lx + 58, ly + 62);
        painter.drawLine(lx + 66, ly + 62, lx + 114, ly + 62);

        painter.setPen(thinPen(Qt::gray));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(lx + 9, ly + 9), QPoint(lx + 113, ly + 113)));

        painter.setPen(thinPen(Qt::black));
        const QPoint shown =
            selecting ? QPoint(std::abs(cx + 1 - x0), std::abs(cy + 1 - y0)) : QPoint(cx, cy);
        painter.drawText(QPoint(lx + 13, ly + 126),
                         QStringLiteral("%1x%2").arg(shown.x()).arg(shown.y()));
    }

    if (!selecting && showHint) {
        const QString hint =
            QLabel::tr("Just click to capture fullscreen\nOr select region.\n%1+C - to copy "
                       "color\n%1+L - on/off loupe")
                .arg(modifierName());
        const QFontMetrics metrics(font);
        int w = 0;
        for (const QString &line : hint.split(QLatin1Char('\n')))
            w = std::max(w, metrics.horizontalAdvance(line));
        const int h = 4 * metrics.height();
        painter.setPen(thinPen(Qt::black));
        painter.setBrush(HintColor);
        painter.drawRect(cx - w - 14, cy - h - 9, w + 7, h + 5);
        painter.drawText(QRect(cx - w - 10, cy - h - 7, w + 7, h + 5), Qt::TextWordWrap, hint);
    }
}
