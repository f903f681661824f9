#pragma once

#include <QtGlobal>

// Windows virtual keys and MOD_ flags in X terms and back, so that the shortcut registry keeps
// one vocabulary on every system. Keys without an X keysym give 0.
quint32 x11KeysymForVirtualKey(quint32 virtualKey);
quint32 virtualKeyForX11Keysym(quint32 keysym);
quint16 x11ModifiersForNative(quint32 nativeMods);
quint32 nativeModifiersForX11(quint16 state);
