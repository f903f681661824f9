#include "capturecursor.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#if defined(Q_OS_WIN)
#include "win32/win32cursor.h"
#elif defined(QUORVEL_X11)
#include "x11connection.h"
#include "x11cursor.h"
#endif

namespace {

// Stands in for the resource picture, so that a build without it still draws a sensible arrow.
QPixmap paintedArrow()
{
    QPixmap arrow(12, 19);
    arrow.fill(Qt::transparent);
    QPainterPath outline;
    outline.moveTo(0.5, 0.5);
    outline.lineTo(0.5, 16.5);
    outline.lineTo(4.5, 12.5);
    outline.lineTo(7.5, 18.5);
    outline.lineTo(9.5, 17.5);
    outline.lineTo(6.5, 11.5);
    outline.lineTo(11.5, 11.5);
    outline.closeSubpath();
    QPainter painter(&arrow);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    return arrow;
}

CapturedCursor fallbackCursor()
{
    QPixmap picture(QStringLiteral(":/cursors/cursor_win.png"));
    if (picture.isNull())
        picture = paintedArrow();
    return {picture, QPoint(0, 0)};
}

CapturedCursor systemCursor()
{
#if defined(Q_OS_WIN)
    Win32CursorPicture picture;
    if (!win32CaptureCursor(picture))
        return {};
    const QImage image(reinterpret_cast<const uchar *>(picture.pixels.data()), picture.width,
                       picture.height, QImage::Format_ARGB32);
    return {QPixmap::fromImage(image.copy()), QPoint(picture.hotSpotX, picture.hotSpotY)};
#else
#if defined(QUORVEL_X11)
    if (xcb_connection_t *connection = x11Connection())
        return captureX11Cursor(connection);
#endif
    return {};
#endif
}

} // namespace

CapturedCursor captureCursor()
{
    CapturedCursor cursor = systemCursor();
    return cursor.pixmap.isNull() ? fallbackCursor() : cursor;
}
