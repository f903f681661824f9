#pragma once

#include <QByteArray>
#include <QtGlobal>

// What the window system offers for system-wide hot keys, in Windows terms: a virtual key with
// MOD_ flags, and the identifier the shortcut registry derives from them.
class HotKeyBackend
{
public:
    virtual ~HotKeyBackend() = default;
    virtual bool registerHotKey(quint32 nativeKey, quint32 nativeMods, int identifier) = 0;
    virtual bool unregisterHotKey(quint32 nativeKey, quint32 nativeMods, int identifier) = 0;
    // Whether a native event is the press of a registered hot key; if so gives its pair.
    virtual bool readHotKeyPress(const QByteArray &eventType, void *message, quint32 &nativeKey,
                                 quint32 &nativeMods) = 0;
};

// The backend of the running window system; one that refuses every key where there is none.
HotKeyBackend &hotKeyBackend();
// Puts another backend in place of the window system's; nullptr restores it. Not owned.
void setHotKeyBackend(HotKeyBackend *backend);
