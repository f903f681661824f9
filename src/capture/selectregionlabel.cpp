#include "selectregionlabel.h"
#include "selectionmapping.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QSysInfo>

#include <algorithm>

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

QFont overlayFont()
{
    QFont font(QStringLiteral("monospace"));
    font.setPixelSize(10);
    return font;
}

QString hintText()
{
    const QString product = QSysInfo::productType();
    const QString modifier = product == QLatin1String("osx") || product == QLatin1String("macos")
                                 ? QStringLiteral("Cmd")
                                 : QStringLiteral("Ctrl");
    return QLabel::tr("Just click to capture fullscreen\nOr select region.\n%1+C - to copy "
                      "color\n%1+L - on/off loupe")
        .arg(modifier);
}

// The widest line and the height of the four lines of the hint.
QSize hintTextSize(const QString &hint)
{
    const QFontMetrics metrics(overlayFont());
    int width = 0;
    for (const QString &line : hint.split(QLatin1Char('\n')))
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSize(width, 4 * metrics.height());
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

struct SelectRegionLabel::Layout
{
    int cx, cy; // cursor, in label coordinates
    int lx, ly; // loupe anchor
    bool hintShown;
    QString hint;
    QSize hintSize;
};

SelectRegionLabel::SelectRegionLabel(QWidget *parent) : QLabel(parent) {}

SelectRegionLabel::Layout SelectRegionLabel::layout() const
{
    Layout l;
    l.cx = currentPos.x() - x();
    l.cy = currentPos.y() - y();
    const bool nearRight = l.cx + LoupeReach >= width();
    const bool nearBottom = l.cy + LoupeReach >= height();
    l.lx = nearRight ? l.cx - 124 : l.cx;
    l.ly = nearBottom ? l.cy - 134 : l.cy;
    l.hintShown = !selecting && (!showLoupe || !(nearRight && nearBottom));
    if (l.hintShown) {
        l.hint = hintText();
        l.hintSize = hintTextSize(l.hint);
    }
    return l;
}

QRect SelectRegionLabel::selectionArea() const
{
    return selecting ? framedRectangle(startPos - pos(), currentPos - pos()) : QRect();
}

// Everything painted over the dimmed picture, with a pixel to spare for the pens.
QRegion SelectRegionLabel::decorationRegion() const
{
    const Layout l = layout();
    QRegion region = QRegion(l.cx - 1, 0, 3, height()) | QRegion(0, l.cy - 1, width(), 3);
    if (showLoupe)
        region |= QRect(l.lx + 7, l.ly + 7, 110, 125);
    if (l.hintShown) {
        const int w = l.hintSize.width();
        const int h = l.hintSize.height();
        region |= QRect(l.cx - w - 16, l.cy - h - 11, w + 16, h + 12);
    }
    if (selecting) {
        const QRect selection = selectionArea();
        region |= QRegion(selection.adjusted(-2, -2, 2, 2)) - selection.adjusted(2, 2, -2, -2);
    }
    return region;
}

void SelectRegionLabel::repaintChanges()
{
    const QRegion decorations = decorationRegion();
    const QRect selection = selectionArea();
    repaint(paintedDecorations | decorations | (QRegion(paintedSelection) ^ selection));
    paintedDecorations = decorations;
    paintedSelection = selection;
}

void SelectRegionLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    // Nothing is known about what is on screen: the next change repaints everything.
    paintedDecorations = rect();
}

void SelectRegionLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);

    const Layout l = layout();
    const int W = width();
    const int H = height();
    const int cx = l.cx, cy = l.cy, lx = l.lx, ly = l.ly;

    QPainter painter(this);

    QPainterPath dimming;
    dimming.setFillRule(Qt::OddEvenFill);
    dimming.addRect(0, 0, W, H);
    if (selecting)
        dimming.addRect(selectionArea());
    painter.setPen(thinPen(FrameColor));
    painter.setBrush(DimColor);
    painter.drawPath(dimming);

    painter.drawLine(cx, 0, cx, H);
    painter.drawLine(0, cy, W, cy);

    painter.setFont(overlayFont());

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
        // While selecting: the size of what will be cropped, both corner pixels included.
        const QPoint shown =
            selecting ? QPoint(selectionArea().width(), selectionArea().height()) : QPoint(cx, cy);
        painter.drawText(QPoint(lx + 13, ly + 126),
                         QStringLiteral("%1x%2").arg(shown.x()).arg(shown.y()));
    }

    if (l.hintShown) {
        const int w = l.hintSize.width();
        const int h = l.hintSize.height();
        painter.setPen(thinPen(Qt::black));
        painter.setBrush(HintColor);
        painter.drawRect(cx - w - 14, cy - h - 9, w + 7, h + 5);
        painter.drawText(QRect(cx - w - 10, cy - h - 7, w + 7, h + 5), Qt::TextWordWrap, l.hint);
    }
}
