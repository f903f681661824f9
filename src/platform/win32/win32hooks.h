#pragma once

// Low-level Win32 input hooks with plain types, free of Qt. One hook of each kind at a time; the
// handlers run on the installing thread while it pumps messages.

// Receives every left-button press, in physical screen pixels.
using LeftButtonHandler = void (*)(int x, int y);
// Returns the hook handle, or null when the system refused it.
void *win32InstallMouseHook(LeftButtonHandler handler);
void win32UninstallMouseHook(void *hook);

// Receives each press and release of Print Screen with the Control and Shift states; the key is
// swallowed.
using PrintScreenHandler = void (*)(bool controlDown, bool shiftDown);
void *win32InstallKeyboardHook(PrintScreenHandler handler);
void win32UninstallKeyboardHook(void *hook);
