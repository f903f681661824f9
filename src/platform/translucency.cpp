#include "translucency.h"

#ifdef QUORVEL_X11
#include "x11connection.h"

#include <QByteArray>
#endif

bool windowsCanBeSeeThrough()
{
#ifdef QUORVEL_X11
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return true;
    // A compositing manager owns this selection for the screen it composites (EWMH).
    const QByteArray name = QByteArrayLiteral("_NET_WM_CM_S0");
    const X11Reply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, 1, uint16_t(name.size()), name.data()),
                              nullptr),
        &free);
    if (!atom || atom->atom == XCB_NONE)
        return false;
    const X11Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &free);
    return owner && owner->owner != XCB_NONE;
#else
    return true;
#endif
}
