#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// Qt's own X connection, or null when the application does not run on X11 (offscreen, Wayland).
xcb_connection_t *x11Connection();
xcb_window_t x11RootWindow(xcb_connection_t *connection);

// A reply of the server, which xcb hands over to be freed.
template <typename Reply> using X11Reply = std::unique_ptr<Reply, decltype(&free)>;
