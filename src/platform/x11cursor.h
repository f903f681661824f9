#pragma once

#include "capturecursor.h"

#include <xcb/xcb.h>

// The cursor picture the server shows now, through XFixes; a null pixmap when it gives none.
CapturedCursor captureX11Cursor(xcb_connection_t *connection);
