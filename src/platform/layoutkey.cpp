#include "layoutkey.h"

#include <QKeyEvent>

#ifdef QUORVEL_X11
#include "x11connection.h"

#include <xcb/xcb_keysyms.h>
#endif

quint32 layoutIndependentVirtualKey(const QKeyEvent &event)
{
#ifdef QUORVEL_X11
    if (xcb_connection_t *connection = x11Connection()) {
        xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(connection);
        const xcb_keysym_t keysym =
            xcb_key_symbols_get_keysym(symbols, xcb_keycode_t(event.nativeScanCode()), 0);
        xcb_key_symbols_free(symbols);
        if (keysym >= 'a' && keysym <= 'z')
            return keysym - 'a' + 'A';
        return keysym;
    }
#endif
    return event.nativeVirtualKey();
}
