#pragma once

// Win32 hot-key calls with plain types, free of Qt so that they compile-check with mingw anywhere.

bool win32RegisterHotKey(int identifier, unsigned modifiers, unsigned virtualKey);
bool win32UnregisterHotKey(int identifier);

// Whether the MSG is a WM_HOTKEY; if so gives the virtual key and the MOD_ flags it carries.
bool win32HotKeyFromMessage(const void *message, unsigned &virtualKey, unsigned &modifiers);
