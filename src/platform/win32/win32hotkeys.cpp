#include "win32hotkeys.h"

#include <windows.h>

// No window: the messages go to the queue of the thread that registered, the GUI thread.
bool win32RegisterHotKey(int identifier, unsigned modifiers, unsigned virtualKey)
{
    return RegisterHotKey(nullptr, identifier, modifiers, virtualKey) != 0;
}

bool win32UnregisterHotKey(int identifier)
{
    return UnregisterHotKey(nullptr, identifier) != 0;
}

bool win32HotKeyFromMessage(const void *message, unsigned &virtualKey, unsigned &modifiers)
{
    const auto *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_HOTKEY)
        return false;
    virtualKey = HIWORD(msg->lParam);
    modifiers = LOWORD(msg->lParam);
    return true;
}
