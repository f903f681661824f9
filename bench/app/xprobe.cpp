#include "xprobe.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t ControlKeysym = 0xffe3;
constexpr uint8_t BadAccess = 10;

// The server is the benchmark's own Xvfb with its 24-bit TrueColor root, so a pixel is BGRX.
uint32_t rgbAt(const uint8_t *data)
{
    return uint32_t(data[2]) << 16 | uint32_t(data[1]) << 8 | data[0];
}

} // namespace

XProbe::XProbe()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    connection = c;
    const xcb_screen_t *first = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    root = first->root;
    screen = QRect(0, 0, first->width_in_pixels, first->height_in_pixels);
    keySymbols = xcb_key_symbols_alloc(c);
}

XProbe::~XProbe()
{
    if (keySymbols)
        xcb_key_symbols_free(keySymbols);
    if (connection)
        xcb_disconnect(connection);
}

QRect XProbe::screenRect() const
{
    return screen;
}

void XProbe::setDesktopColour(uint32_t rgb)
{
    xcb_change_window_attributes(connection, root, XCB_CW_BACK_PIXEL, &rgb);
    xcb_clear_area(connection, 0, root, 0, 0, 0, 0);
    sync();
}

QVector<uint32_t> XProbe::colours(const QVector<QPoint> &points)
{
    QVector<xcb_get_image_cookie_t> cookies;
    cookies.reserve(points.size());
    for (const QPoint &p : points)
        cookies.append(xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(p.x()),
                                     int16_t(p.y()), 1, 1, ~0u));
    QVector<uint32_t> result;
    result.reserve(points.size());
    for (const xcb_get_image_cookie_t &cookie : cookies) {
        xcb_get_image_reply_t *reply = xcb_get_image_reply(connection, cookie, nullptr);
        result.append(reply && xcb_get_image_data_length(reply) >= 4
                          ? rgbAt(xcb_get_image_data(reply))
                          : 0xffffffffu);
        free(reply);
    }
    return result;
}

QImage XProbe::screenshot()
{
    QImage image(screen.size(), QImage::Format_RGB32);
    // One request of the whole screen would pass the server's request size limit: go in strips.
    const int strip = 64;
    for (int y = 0; y < screen.height(); y += strip) {
        const int rows = qMin(strip, screen.height() - y);
        xcb_get_image_reply_t *reply = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, int16_t(y),
                          uint16_t(screen.width()), uint16_t(rows), ~0u),
            nullptr);
        if (!reply)
            return {};
        const uint8_t *data = xcb_get_image_data(reply);
        for (int row = 0; row < rows; ++row)
            memcpy(image.scanLine(y + row), data + row * screen.width() * 4, screen.width() * 4);
        free(reply);
    }
    return image;
}

void XProbe::movePointer(const QPoint &position)
{
    xcb_warp_pointer(connection, XCB_NONE, root, 0, 0, 0, 0, int16_t(position.x()),
                     int16_t(position.y()));
    sync();
}

void XProbe::sync()
{
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

void XProbe::fakeKey(uint8_t type, uint8_t code)
{
    xcb_test_fake_input(connection, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

void XProbe::tapKey(uint32_t keysym, bool withControl)
{
    const uint8_t code = keycode(keysym);
    const uint8_t control = keycode(ControlKeysym);
    if (withControl)
        fakeKey(XCB_KEY_PRESS, control);
    fakeKey(XCB_KEY_PRESS, code);
    fakeKey(XCB_KEY_RELEASE, code);
    if (withControl)
        fakeKey(XCB_KEY_RELEASE, control);
    xcb_flush(connection);
}

bool XProbe::isKeyGrabbedElsewhere(uint32_t keysym, uint16_t modifiers)
{
    const uint8_t code = keycode(keysym);
    // Ungrabbing a key we never got is harmless, so both requests go out at once and the grab is
    // ours for no longer than the server takes between them.
    const xcb_void_cookie_t grab = xcb_grab_key_checked(connection, 1, root, modifiers, code,
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_ungrab_key(connection, code, root, modifiers);
    xcb_generic_error_t *error = xcb_request_check(connection, grab);
    const bool taken = error && error->error_code == BadAccess;
    free(error);
    return taken;
}

uint8_t XProbe::keycode(uint32_t keysym)
{
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(keySymbols, keysym);
    const uint8_t code = codes ? codes[0] : 0;
    free(codes);
    return code;
}

uint32_t XProbe::atom(const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
    const uint32_t value = reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
    free(reply);
    return value;
}

bool XProbe::findViewableWindow(const QString &title, uint32_t *id, QRect *rect)
{
    static const uint32_t netWmName = atom("_NET_WM_NAME");
    xcb_query_tree_reply_t *tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    if (!tree)
        return false;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    const int count = xcb_query_tree_children_length(tree);

    QVector<xcb_get_window_attributes_cookie_t> attributes;
    QVector<xcb_get_property_cookie_t> names;
    for (int i = 0; i < count; ++i) {
        attributes.append(xcb_get_window_attributes(connection, children[i]));
        names.append(xcb_get_property(connection, 0, children[i], netWmName,
                                      XCB_GET_PROPERTY_TYPE_ANY, 0, 256));
    }
    const QByteArray wanted = title.toUtf8();
    xcb_window_t found = XCB_NONE;
    for (int i = 0; i < count; ++i) {
        xcb_get_window_attributes_reply_t *a =
            xcb_get_window_attributes_reply(connection, attributes[i], nullptr);
        xcb_get_property_reply_t *n = xcb_get_property_reply(connection, names[i], nullptr);
        if (found == XCB_NONE && a && n && a->map_state == XCB_MAP_STATE_VIEWABLE &&
            QByteArray(static_cast<const char *>(xcb_get_property_value(n)),
                       xcb_get_property_value_length(n)) == wanted)
            found = children[i];
        free(a);
        free(n);
    }
    free(tree);
    if (found == XCB_NONE)
        return false;

    // Without a window manager a top-level window sits directly on the root, so its geometry is
    // already in screen coordinates.
    xcb_get_geometry_reply_t *geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, found), nullptr);
    if (!geometry)
        return false;
    *id = found;
    *rect = QRect(geometry->x, geometry->y, geometry->width, geometry->height);
    free(geometry);
    return true;
}

void XProbe::closeWindow(uint32_t id)
{
    static const uint32_t protocols = atom("WM_PROTOCOLS");
    static const uint32_t deleteWindow = atom("WM_DELETE_WINDOW");
    xcb_client_message_event_t message;
    memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = protocols;
    message.data.data32[0] = deleteWindow;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, id, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}
