#include "x11cursor.h"

#include "x11connection.h"

#include <QImage>

#include <xcb/xfixes.h>

namespace {

// XFixes answers only after the client has announced the version it speaks.
bool announceXFixes(xcb_connection_t *connection)
{
    X11Reply<xcb_xfixes_query_version_reply_t> version(
        xcb_xfixes_query_version_reply(connection,
                                       xcb_xfixes_query_version(connection,
                                                                XCB_XFIXES_MAJOR_VERSION,
                                                                XCB_XFIXES_MINOR_VERSION),
                                       nullptr),
        &free);
    return version != nullptr;
}

} // namespace

CapturedCursor captureX11Cursor(xcb_connection_t *connection)
{
    static const bool xfixesReady = announceXFixes(connection);
    if (!xfixesReady)
        return {};
    X11Reply<xcb_xfixes_get_cursor_image_reply_t> reply(
        xcb_xfixes_get_cursor_image_reply(connection, xcb_xfixes_get_cursor_image(connection),
                                          nullptr),
        &free);
    if (!reply || reply->width < 1 || reply->height < 1)
        return {};
    // The server's pixels are premultiplied; callers expect plain ARGB.
    const QImage premultiplied(
        reinterpret_cast<const uchar *>(xcb_xfixes_get_cursor_image_cursor_image(reply.get())),
        reply->width, reply->height, QImage::Format_ARGB32_Premultiplied);
    return {QPixmap::fromImage(premultiplied.convertToFormat(QImage::Format_ARGB32)),
            QPoint(reply->xhot, reply->yhot)};
}
