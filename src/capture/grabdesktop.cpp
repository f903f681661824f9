#include "grabdesktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

QRect virtualDesktopGeometry()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->virtualGeometry() : QRect();
}

void drawCursor(QPixmap &desktop, const QRect &virtualGeometry, const CapturedCursor &cursor,
                const QPoint &cursorPosition)
{
    if (cursor.pixmap.isNull() || desktop.isNull() || !virtualGeometry.contains(cursorPosition))
        return;

    const qreal sx = qreal(desktop.width()) / virtualGeometry.width();
    const qreal sy = qreal(desktop.height()) / virtualGeometry.height();

    // Both pictures are handled in raw pixels: a ratio on either would make the painter scale
    // them a second time.
    QPixmap picture = cursor.pixmap;
    picture.setDevicePixelRatio(1.0);
    const QSize target(std::max(1, qRound(picture.width() * sx)),
                       std::max(1, qRound(picture.height() * sy)));
    if (picture.size() != target)
        picture = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);

    const QPoint offset = cursorPosition - virtualGeometry.topLeft();
    const QPoint position(qRound(offset.x() * sx) - qRound(cursor.hotSpot.x() * sx),
                          qRound(offset.y() * sy) - qRound(cursor.hotSpot.y() * sy));

    const qreal ratio = desktop.devicePixelRatio();
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
    QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return QPixmap();

    const QRect geometry = primary->virtualGeometry();
    QPixmap desktop =
        primary->grabWindow(0, geometry.x(), geometry.y(), geometry.width(), geometry.height());
    desktop.setDevicePixelRatio(primary->devicePixelRatio());
    drawCursor(desktop, geometry, cursorSource(), QCursor::pos());
    return desktop;
}

QPixmap grabDesktop()
{
    return grabDesktop(captureCursor);
}
