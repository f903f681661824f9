#include "grabdesktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

QList<QScreen *> desktopScreens()
{
    QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->virtualSiblings() : QList<QScreen *>();
}

DesktopLayout layoutOf(const QList<QScreen *> &screens)
{
    QList<ScreenPlacement> placements;
    for (const QScreen *screen : screens)
        placements.append({screen->geometry(), screen->devicePixelRatio()});
    return DesktopLayout(placements, int(screens.indexOf(QGuiApplication::primaryScreen())));
}

// Each monitor is grabbed on its own: a grab of one rectangle is read in the coordinates of a
// single screen, which do not reach a monitor left of the primary one, nor one with another ratio.
QPixmap grabMonitors(const QList<QScreen *> &screens, const DesktopLayout &layout)
{
    if (screens.size() == 1)
        return screens.first()->grabWindow(0);

    QPixmap desktop(layout.deviceGeometry().size());
    desktop.fill(Qt::black);
    QPainter painter(&desktop);
    for (int index = 0; index < screens.size(); ++index) {
        QPixmap monitor = screens.at(index)->grabWindow(0);
        if (monitor.isNull())
            return QPixmap();
        monitor.setDevicePixelRatio(1.0);
        painter.drawPixmap(layout.imageArea(index).topLeft(), monitor);
    }
    return desktop;
}

} // namespace

DesktopLayout currentDesktopLayout()
{
    return layoutOf(desktopScreens());
}

void drawCursor(QPixmap &desktop, const CapturedCursor &cursor, const QPoint &pointerPixel)
{
    if (cursor.pixmap.isNull() || desktop.isNull() || !desktop.rect().contains(pointerPixel))
        return;

    const qreal ratio = desktop.devicePixelRatio();
    // Both pictures are handled in raw pixels: a ratio on either would make the painter scale
    // them a second time.
    QPixmap picture = cursor.pixmap;
    picture.setDevicePixelRatio(1.0);
    const QSize target(std::max(1, qRound(picture.width() * ratio)),
                       std::max(1, qRound(picture.height() * ratio)));
    if (picture.size() != target)
        picture = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QPoint position = pointerPixel - QPoint(qRound(cursor.hotSpot.x() * ratio),
                                                  qRound(cursor.hotSpot.y() * ratio));

    desktop.setDevicePixelRatio(1.0);
    {
        QPainter painter(&desktop);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(position, picture);
    }
    desktop.setDevicePixelRatio(ratio);
}

QPixmap grabDesktop(const CursorSource &cursorSource)
{
    const QList<QScreen *> screens = desktopScreens();
    const DesktopLayout layout = layoutOf(screens);
    if (layout.isNull())
        return QPixmap();

    QPixmap desktop = grabMonitors(screens, layout);
    if (desktop.isNull())
        return desktop;
    desktop.setDevicePixelRatio(layout.ratio());
    drawCursor(desktop, cursorSource(), layout.imagePixel(QCursor::pos()));
    return desktop;
}

QPixmap grabDesktop()
{
    return grabDesktop(captureCursor);
}
