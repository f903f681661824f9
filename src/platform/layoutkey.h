#pragma once

#include <QtGlobal>

class QKeyEvent;

// The key's virtual key as the unshifted key would give it, so a recorded digit or letter does
// not depend on Shift or the keyboard layout. On X11 that is the keycode's first keysym, letters in
// upper case; elsewhere the event's own virtual key.
quint32 layoutIndependentVirtualKey(const QKeyEvent &event);
