#include "monitorserver.h"

#include "../support/childprocess.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

MonitorServer::~MonitorServer()
{
    if (server.state() == QProcess::NotRunning)
        return;
    server.terminate();
    if (!server.waitForFinished(3000))
        server.kill();
    server.waitForFinished(3000);
    if (previousDisplay.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", previousDisplay);
}

QString MonitorServer::start(const QSize &size, const QList<Monitor> &monitors)
{
    // The server picks a free display itself and names it on its output: choosing one here could
    // race with other servers starting at the same time. -noreset: it must not reset (and lose the
    // root background) when a client leaves.
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endWithThisProcess(server);
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"),
                  QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                  QStringLiteral("-noreset"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server.waitForStarted(5000))
        return QStringLiteral("Xvfb did not start");
    QByteArray number;
    while (!number.endsWith('\n') && server.waitForReadyRead(10000))
        number += server.readAllStandardOutput();
    if (!number.endsWith('\n'))
        return QStringLiteral("Xvfb named no display");
    display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());

    previousDisplay = qgetenv("DISPLAY");
    qputenv("DISPLAY", display.toLocal8Bit());
    // The first monitor takes the screen's output; the others are virtual ones.
    bool first = true;
    for (const Monitor &monitor : monitors) {
        const QRect &g = monitor.geometry;
        // xrandr wants a size in millimetres too; about 96 dpi.
        const QString geometry = QStringLiteral("%1/%2x%3/%4+%5+%6")
                                     .arg(g.width())
                                     .arg(g.width() * 254 / 960)
                                     .arg(g.height())
                                     .arg(g.height() * 254 / 960)
                                     .arg(g.x())
                                     .arg(g.y());
        const QString name = (monitor.primary ? QStringLiteral("*") : QString()) + monitor.name;
        const QString failure =
            runXrandr({QStringLiteral("--setmonitor"), name, geometry,
                       first ? QStringLiteral("screen") : QStringLiteral("none")});
        if (!failure.isEmpty())
            return failure;
        first = false;
    }
    return QString();
}

QString MonitorServer::runXrandr(const QStringList &arguments) const
{
    QProcess xrandr;
    xrandr.start(QStringLiteral("xrandr"), arguments);
    if (!xrandr.waitForFinished(5000) || xrandr.exitCode() != 0)
        return QStringLiteral("xrandr %1 failed: %2")
            .arg(arguments.join(QLatin1Char(' ')),
                 QString::fromLocal8Bit(xrandr.readAllStandardError()));
    return QString();
}

QRgb MonitorServer::desktopPattern(int x, int y)
{
    return qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256);
}

QPoint MonitorServer::patternOrigin(QRgb color)
{
    return QPoint(qBlue(color) / 16 * 256 + qRed(color), qBlue(color) % 16 * 256 + qGreen(color));
}

QString MonitorServer::paintPattern()
{
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(display.toLocal8Bit().constData(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return QStringLiteral("no connection to ") + display;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen->root_depth != 24) {
        xcb_disconnect(connection);
        return QStringLiteral("the root is not 24 bits deep");
    }
    const int width = screen->width_in_pixels;
    const int height = screen->height_in_pixels;

    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, screen->root_depth, pixmap, screen->root, width, height);
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, pixmap, 0, nullptr);

    // Depth 24 travels as 32 bits a pixel; strips keep each request under the server's limit.
    const uint32_t maximumBytes = xcb_get_maximum_request_length(connection) * 4 - 1024;
    const int rowsPerStrip = std::max<int>(1, maximumBytes / (width * 4));
    std::vector<uint32_t> strip;
    for (int top = 0; top < height; top += rowsPerStrip) {
        const int rows = std::min(rowsPerStrip, height - top);
        strip.resize(size_t(width) * rows);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < width; ++x)
                strip[size_t(y) * width + x] = desktopPattern(x, top + y) & RGB_MASK;
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, width, rows, 0, top, 0,
                      screen->root_depth, uint32_t(strip.size() * 4),
                      reinterpret_cast<const uint8_t *>(strip.data()));
    }
    const uint32_t background = pixmap;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_BACK_PIXMAP, &background);
    xcb_clear_area(connection, 0, screen->root, 0, 0, 0, 0);
    // The root keeps the picture after the pixmap's name is given up.
    xcb_free_gc(connection, gc);
    xcb_free_pixmap(connection, pixmap);
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    const bool failed = xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return failed ? QStringLiteral("painting the root failed") : QString();
}

QString MonitorServer::compareWithPattern(const QImage &image, const QPoint &at, const QRect &area,
                                          const QRect &skip)
{
    int wrong = 0;
    QString first;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (skip.contains(x, y))
                continue;
            const QPoint pixel = at + QPoint(x, y) - area.topLeft();
            const QRgb found = image.valid(pixel) ? image.pixel(pixel) & RGB_MASK : 0;
            if (found == (desktopPattern(x, y) & RGB_MASK))
                continue;
            if (wrong++ == 0) {
                const QPoint from = patternOrigin(found);
                first = QStringLiteral("image pixel (%1, %2) should come from screen (%3, %4) but "
                                       "holds the colour of (%5, %6)")
                            .arg(pixel.x())
                            .arg(pixel.y())
                            .arg(x)
                            .arg(y)
                            .arg(from.x())
                            .arg(from.y());
            }
        }
    }
    return wrong ? QStringLiteral("%1 wrong pixels; %2").arg(wrong).arg(first) : QString();
}
