#pragma once

#include "hotkeybackend.h"

#include <QHash>
#include <QVector>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

// Hot keys as passive key grabs on the root window.
class X11HotKeyBackend : public HotKeyBackend
{
public:
    explicit X11HotKeyBackend(xcb_connection_t *connection);

    bool registerHotKey(quint32 nativeKey, quint32 nativeMods, int identifier) override;
    bool unregisterHotKey(quint32 nativeKey, quint32 nativeMods, int identifier) override;
    bool readHotKeyPress(const QByteArray &eventType, void *message, quint32 &nativeKey,
                         quint32 &nativeMods) override;

private:
    struct KeyGrab
    {
        xcb_keycode_t keycode;
        quint16 modifiers;
    };

    QVector<KeyGrab> grabsFor(quint32 nativeKey, quint32 nativeMods) const;
    quint16 numLockMask(xcb_key_symbols_t *symbols) const;
    void ungrab(const QVector<KeyGrab> &grabs);

    xcb_connection_t *connection;
    xcb_window_t root;
    // Keyed by the Windows pair. The server lets a client grab the same key twice; Windows does
    // not, and neither do we.
    QHash<QPair<quint32, quint32>, QVector<KeyGrab>> registered;
};
