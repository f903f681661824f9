#include "regionpicker.h"

#include "grabdesktop.h"
#include "selectionmapping.h"

#include <QGuiApplication>

namespace {

constexpr int SelectionDelayMs = 300;
// A region this small or smaller in either direction (image pixels) is taken as a slip.
constexpr int SmallestRegion = 10;

// The frame the user saw around the selection, both corners included, in image pixels; the
// selector's corner lay at `origin` and showed image pixel (0, 0) there.
QRect scanArea(const QPoint &p1, const QPoint &p2, const QPoint &origin, const QSize &imageSize,
               qreal ratio)
{
    const QRect framed = framedRectangle(p1 - origin, p2 - origin);
    const QRect scaled(qRound(framed.x() * ratio), qRound(framed.y() * ratio),
                       qRound(framed.width() * ratio), qRound(framed.height() * ratio));
    return scaled & QRect(QPoint(0, 0), imageSize);
}

} // namespace

RegionPicker::RegionPicker(QObject *owner, std::function<void()> startSelection)
    : grabDesktopImage([] { return grabDesktop([] { return CapturedCursor(); }); })
{
    selectionDelay.setSingleShot(true);
    selectionDelay.setInterval(SelectionDelayMs);
    QObject::connect(&selectionDelay, &QTimer::timeout, owner, std::move(startSelection));
}

SelectRegion *RegionPicker::openSelection()
{
    frozenScreen = QGuiApplication::primaryScreen() ? grabDesktopImage() : QPixmap();
    if (frozenScreen.isNull())
        return nullptr;
    selector = new SelectRegion;
    selector->setPixmap(frozenScreen);
    selector->setGeometry(
        overlayGeometry(currentDesktopLayout(), frozenScreen.deviceIndependentSize()));
    selector->show();
    selector->raise();
    selector->activateWindow();
    return selector;
}

RegionPicker::Pick RegionPicker::finishSelection(QPoint p1, QPoint p2)
{
    if (!selector)
        return {};
    SelectRegion *finished = selector;
    const QPoint origin = finished->pos();
    QObject::disconnect(finished, &SelectRegion::regionSelected, nullptr, nullptr);
    finished->hide();
    finished->deleteLater();
    selector = nullptr;

    if (isCancelledSelection(p1, p2))
        return {Outcome::Cancelled, {}};
    const QRect area =
        scanArea(p1, p2, origin, frozenScreen.size(), frozenScreen.devicePixelRatio());
    if (area.width() <= SmallestRegion || area.height() <= SmallestRegion)
        return {Outcome::TooSmall, {}};
    return {Outcome::Picked, frozenScreen.copy(area).toImage()};
}
