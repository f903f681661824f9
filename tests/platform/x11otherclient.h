#pragma once

#include <QtGlobal>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

// Another X client, to contend for grabs the way another program would.
class OtherClient
{
public:
    OtherClient() : connection(xcb_connect(nullptr, nullptr))
    {
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    }
    ~OtherClient() { xcb_disconnect(connection); }

    bool grab(xcb_keysym_t keysym, quint16 modifiers)
    {
        xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(connection);
        xcb_keycode_t *keycodes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_keycode_t keycode = keycodes ? keycodes[0] : 0;
        free(keycodes);
        xcb_key_symbols_free(symbols);
        xcb_generic_error_t *error = xcb_request_check(
            connection, xcb_grab_key_checked(connection, false, root, modifiers, keycode,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        free(error);
        return keycode != 0 && error == nullptr;
    }

private:
    xcb_connection_t *connection;
    xcb_window_t root;
};
