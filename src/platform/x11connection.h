#pragma once

#include <xcb/xcb.h>

// Qt's own X connection, or null when the application does not run on X11 (offscreen, Wayland).
xcb_connection_t *x11Connection();
xcb_window_t x11RootWindow(xcb_connection_t *connection);
