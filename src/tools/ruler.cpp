#include "ruler.h"

#include "rulerguides.h"
#include "rulersettings.h"
#include "translucency.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

constexpr int BandThickness = 36;
constexpr int BandLast = BandThickness - 1;
constexpr int BandHalf = BandThickness / 2;
// A press and release closer than this (Manhattan) on a band is a click that drops a guide.
constexpr qreal ClickTolerance = 4.0;

const QColor GuideColor(74, 184, 214, 220);
const QColor GuideMarkerColor(74, 184, 214, 245);
const QColor BandColor(18, 22, 27, 232);
const QColor CrossingColor(12, 16, 20, 245);
const QColor TickColor(210, 220, 224, 220);
const QColor NumberColor(235, 240, 242, 235);
const QColor LabelBackground(18, 24, 29, 190);
const QColor LabelColor(235, 248, 250, 240);

constexpr int HintMilliseconds = 10000;
const QColor HintBackground(18, 24, 29, 220);

// The screen under the ruler, where nothing else would show it.
QPixmap screenBeneath(const QRect &globalArea)
{
    QScreen *screen = QGuiApplication::screenAt(globalArea.center());
    if (!screen || windowsCanBeSeeThrough())
        return {};
    const QPoint corner = globalArea.topLeft() - screen->geometry().topLeft();
    return screen->grabWindow(0, corner.x(), corner.y(), globalArea.width(), globalArea.height());
}

// Keeps a band of BandThickness within a window of `extent` pixels.
int clampedBandOffset(qreal offset, int extent)
{
    const int last = extent - BandThickness;
    return last <= 0 ? 0 : std::clamp(int(qRound(offset)), 0, last);
}

} // namespace

Ruler::Ruler(QWidget *parent) : QWidget(parent), backdropSource(screenBeneath)
{
    setWindowTitle(tr("Ruler"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    hintTimer.setSingleShot(true);
    hintTimer.setInterval(HintMilliseconds);
    connect(&hintTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

QRect Ruler::globalRect() const
{
    return QRect(geometry().topLeft(), size());
}

int Ruler::measurementAt(const QPointF &globalPosition) const
{
    return RulerGuides::guideAt(measurements, globalPosition);
}

void Ruler::addMeasurement(const QPointF &position, bool fromVerticalRuler)
{
    loadSettings();
    if (measurements.size() >= RulerGuides::MaxGuides)
        return;
    const QPointF global = position + globalRect().topLeft();
    const QLineF guide = fromVerticalRuler ? RulerGuides::horizontalGuide(globalRect(), global.y())
                                           : RulerGuides::verticalGuide(globalRect(), global.x());
    if (!RulerGuides::hasRoomFor(measurements, guide))
        return;
    measurements.append(guide);
    saveSettings();
    update();
}

void Ruler::removeMeasurementAt(const QPointF &globalPosition)
{
    const int index = measurementAt(globalPosition);
    if (index < 0)
        return;
    measurements.removeAt(index);
    saveSettings();
    update();
}

void Ruler::loadSettings()
{
    if (settingsLoaded)
        return;
    settingsLoaded = true;
    const RulerState stored = RulerSettings::load();
    // Offsets from another screen or edited by hand could put a band out of reach for good.
    horizontalRulerOffset = clampedBandOffset(stored.horizontalRulerOffset, height());
    verticalRulerOffset = clampedBandOffset(stored.verticalRulerOffset, width());
    for (const QLineF &line : stored.measurements) {
        if (measurements.size() >= RulerGuides::MaxGuides)
            break;
        const QLineF guide = RulerGuides::fitted(line, globalRect());
        if (RulerGuides::hasRoomFor(measurements, guide))
            measurements.append(guide);
    }
}

void Ruler::saveSettings()
{
    // Written before it was read, the store would lose what the last run left there.
    loadSettings();
    RulerSettings::save({horizontalRulerOffset, verticalRulerOffset, measurements});
}

void Ruler::mousePressEvent(QMouseEvent *event)
{
    const QPointF q = event->position();
    const QPointF g = q + globalRect().topLeft();
    if (event->button() == Qt::RightButton) {
        removeMeasurementAt(g);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;

    const QPoint rounded = q.toPoint();
    if (rounded.y() >= horizontalRulerOffset && rounded.y() <= horizontalRulerOffset + BandLast) {
        draggingRuler = true;
        draggedRuler = 1;
        dragStart = q;
        setCursor(Qt::SizeVerCursor);
    } else if (rounded.x() >= verticalRulerOffset &&
               rounded.x() <= verticalRulerOffset + BandLast) {
        draggingRuler = true;
        draggedRuler = 2;
        dragStart = q;
        setCursor(Qt::SizeHorCursor);
    } else {
        const int index = measurementAt(g);
        if (index < 0)
            return;
        const QLineF &guide = measurements.at(index);
        draggingMeasurement = true;
        selectedIndex = index;
        grabOffset = RulerGuides::isHorizontal(guide) ? QPointF(0, g.y() - guide.y1())
                                                      : QPointF(g.x() - guide.x1(), 0);
        setCursor(Qt::SizeAllCursor);
    }
}

void Ruler::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF q = event->position();
    if (draggingRuler) {
        if (draggedRuler == 1)
            horizontalRulerOffset = clampedBandOffset(q.y() - BandHalf, height());
        else if (draggedRuler == 2)
            verticalRulerOffset = clampedBandOffset(q.x() - BandHalf, width());
    } else if (draggingMeasurement && selectedIndex >= 0 && selectedIndex < measurements.size()) {
        const QRect window = globalRect();
        const QLineF &guide = measurements.at(selectedIndex);
        measurements[selectedIndex] =
            RulerGuides::isHorizontal(guide)
                ? RulerGuides::horizontalGuide(window, window.top() + q.y() - grabOffset.y())
                : RulerGuides::verticalGuide(window, window.left() + q.x() - grabOffset.x());
    } else {
        return;
    }
    update();
}

void Ruler::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF q = event->position();
    if (draggingRuler) {
        const QPointF moved = q - dragStart;
        if (std::abs(moved.x()) + std::abs(moved.y()) > ClickTolerance)
            saveSettings();
        else
            addMeasurement(q, draggedRuler == 2);
        draggingRuler = false;
        draggedRuler = 0;
        setCursor(Qt::CrossCursor);
    } else if (draggingMeasurement) {
        draggingMeasurement = false;
        selectedIndex = -1;
        setCursor(Qt::CrossCursor);
        saveSettings();
    }
    update();
}

void Ruler::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        removeMeasurementAt(event->position() + globalRect().topLeft());
}

void Ruler::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Ruler::closeEvent(QCloseEvent *event)
{
    saveSettings();
    hide();
    event->ignore();
}

void Ruler::hideEvent(QHideEvent *event)
{
    saveSettings();
    backdrop = QPixmap();
    hintTimer.stop();
    QWidget::hideEvent(event);
}

void Ruler::showEvent(QShowEvent *event)
{
    // Before any input: a click that came ahead of the first paint would otherwise be saved and
    // then read back as a second copy.
    loadSettings();
    // Taken before the window is on the screen, so that it is not in the picture.
    backdrop = backdropSource ? backdropSource(globalRect()) : QPixmap();
    hintTimer.start();
    QWidget::showEvent(event);
}

void Ruler::paintEvent(QPaintEvent *)
{
    loadSettings();
    QPainter painter(this);
    if (!backdrop.isNull())
        painter.drawPixmap(rect(), backdrop);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(GuideColor, 2));
    const QPointF corner = globalRect().topLeft();
    for (const QLineF &guide : std::as_const(measurements))
        painter.drawLine(guide.translated(-corner));

    drawRulers(painter);
    drawDistances(painter);
    if (hintTimer.isActive())
        drawHint(painter);
}

void Ruler::drawRulers(QPainter &painter) const
{
    const int W = width();
    const int H = height();
    const int T = horizontalRulerOffset;
    const int L = verticalRulerOffset;

    painter.fillRect(QRect(QPoint(0, T), QPoint(W - 1, T + BandLast)), BandColor);
    painter.fillRect(QRect(QPoint(L, 0), QPoint(L + BandLast, H - 1)), BandColor);
    painter.fillRect(QRect(QPoint(L, T), QPoint(L + BandLast, T + BandLast)), CrossingColor);

    const QPen tickPen(TickColor, 1);
    const QPen numberPen(NumberColor);
    for (int x = 0; x < W; x += 10) {
        painter.setPen(tickPen);
        if (x % 50 == 0) {
            painter.drawLine(x, T + 35, x, T + 7);
            painter.setPen(numberPen);
            painter.drawText(QPoint(x + 4, T + 22), QString::number(x));
        } else {
            painter.drawLine(x, T + 35, x, T + 19);
        }
    }
    for (int y = 0; y < H; y += 10) {
        painter.setPen(tickPen);
        if (y % 50 == 0) {
            painter.drawLine(L + 35, y, L + 7, y);
            painter.save();
            painter.setPen(numberPen);
            const QString number = QString::number(y);
            painter.setTransform(
                verticalNumberPlacement(y, L, painter.fontMetrics().horizontalAdvance(number)),
                true);
            painter.drawText(QPoint(0, 0), number);
            painter.restore();
        } else {
            painter.drawLine(L + 35, y, L + 19, y);
        }
    }

    painter.setPen(QPen(GuideMarkerColor, 2));
    const QPointF corner = globalRect().topLeft();
    for (const QLineF &guide : measurements) {
        const QPointF start = guide.p1() - corner;
        if (RulerGuides::isHorizontal(guide)) {
            const int y = qRound(start.y());
            painter.drawLine(L + 5, y, L + 33, y);
        } else {
            const int x = qRound(start.x());
            painter.drawLine(x, T + 5, x, T + 33);
        }
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(NumberColor);
    const QPointF mark[] = {QPointF(L + 18, T + 18), QPointF(L + 32, T + 18),
                            QPointF(L + 18, T + 32)};
    painter.drawPolygon(mark, 3);
}

QTransform Ruler::verticalNumberPlacement(int y, int bandLeft, qreal textAdvance)
{
    // Reading upwards and, as on the other band, between its tick and the next one: it ends 4
    // pixels past the tick, so that the top one stays inside the window.
    return QTransform::fromTranslate(bandLeft + 22, y + 4 + textAdvance).rotate(-90);
}

void Ruler::drawDistances(QPainter &painter) const
{
    const QPointF corner = globalRect().topLeft();
    QList<qreal> rows;
    QList<qreal> columns;
    for (const QLineF &guide : measurements) {
        if (RulerGuides::isHorizontal(guide))
            rows.append(guide.y1() - corner.y());
        else
            columns.append(guide.x1() - corner.x());
    }
    const QString label = tr("%1 px");
    const qreal rowLabelX = std::min(verticalRulerOffset + 54, width() - 18);
    for (const RulerGuides::Gap &gap : RulerGuides::gapsBetween(rows))
        drawDistanceLabel(painter, label.arg(gap.pixels), QPointF(rowLabelX, gap.middle), true);
    const qreal columnLabelY = std::min(horizontalRulerOffset + 54, height() - 12);
    for (const RulerGuides::Gap &gap : RulerGuides::gapsBetween(columns))
        drawDistanceLabel(painter, label.arg(gap.pixels), QPointF(gap.middle, columnLabelY), false);
}

void Ruler::drawDistanceLabel(QPainter &painter, const QString &text, const QPointF &centre,
                              bool rotated)
{
    painter.save();
    const QRect bounds = painter.fontMetrics().boundingRect(text);
    const qreal w = bounds.width();
    const qreal h = bounds.height();
    painter.translate(centre);
    if (rotated)
        painter.rotate(-90);
    const QRectF box(-w / 2 - 5, -h / 2 - 3, w + 10, h + 6);
    painter.fillRect(box, LabelBackground);
    painter.setPen(LabelColor);
    if (rotated)
        painter.drawText(QPointF(-w / 2, h / 2), text);
    else
        painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void Ruler::drawHint(QPainter &painter) const
{
    const QString hint = tr("Click a band to drop a guide; drag bands and guides to move them; "
                            "right-click a guide to remove it. Esc closes the ruler.");
    const int widest = std::max(120, width() - 2 * (verticalRulerOffset + BandThickness) - 48);
    const QRect text =
        painter.fontMetrics().boundingRect(QRect(0, 0, widest, height()), Qt::TextWordWrap, hint);
    QRect box(0, 0, text.width() + 24, text.height() + 12);
    box.moveCenter(QPoint(width() / 2, 0));
    // At the bottom, unless the horizontal band lies there.
    box.moveBottom(height() - 24);
    if (box.bottom() + 24 > horizontalRulerOffset &&
        box.top() - 24 < horizontalRulerOffset + BandLast)
        box.moveBottom(horizontalRulerOffset - 24);
    if (box.top() < 0)
        box.moveTop(horizontalRulerOffset + BandThickness + 24);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(HintBackground);
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(LabelColor);
    painter.drawText(box.adjusted(12, 6, -12, -6), Qt::AlignCenter | Qt::TextWordWrap, hint);
    painter.restore();
}
