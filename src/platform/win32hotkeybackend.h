#pragma once

#include "hotkeybackend.h"
#include "win32/win32hotkeys.h"

// RegisterHotKey with WM_HOTKEY arriving through the GUI thread's message queue.
class Win32HotKeyBackend : public HotKeyBackend
{
public:
    bool registerHotKey(quint32 nativeKey, quint32 nativeMods, int identifier) override
    {
        return win32RegisterHotKey(identifier, nativeMods, nativeKey);
    }
    bool unregisterHotKey(quint32, quint32, int identifier) override
    {
        return win32UnregisterHotKey(identifier);
    }
    bool readHotKeyPress(const QByteArray &eventType, void *message, quint32 &nativeKey,
                         quint32 &nativeMods) override
    {
        unsigned virtualKey = 0;
        unsigned modifiers = 0;
        if (eventType != "windows_generic_MSG" ||
            !win32HotKeyFromMessage(message, virtualKey, modifiers))
            return false;
        nativeKey = virtualKey;
        nativeMods = modifiers;
        return true;
    }
};
