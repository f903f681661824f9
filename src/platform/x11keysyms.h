#pragma once

#include <QtGlobal>

// Windows virtual keys and MOD_ flags in X terms, so that the shortcut registry keeps one
// vocabulary on every system. Keys without an X keysym give 0.
quint32 x11KeysymForVirtualKey(quint32 virtualKey);
quint16 x11ModifiersForNative(quint32 nativeMods);
