#pragma once

#include "hotkeybackend.h"

#include <QHash>
#include <QVector>

#include <xcb/xcb.h>

// Hot keys as passive key grabs on the root window.
class X11HotKeyBackend : public HotKeyBackend
{
public:
    explicit X11HotKeyBackend(xcb_connection_t *connection);

    bool registerHotKey(quint32 nativeKey, quint32 nativeMods, int identifier) override;
    bool unregisterHotKey(quint32 nativeKey, quint32 nativeMods, int identifier) override;
    // Also follows keyboard mapping changes, which move keysyms to other keys and levels.
    bool readHotKeyPress(const QByteArray &eventType, void *message, quint32 &nativeKey,
                         quint32 &nativeMods) override;

    // One key with the exact modifiers that type the hot key's keysym with its modifiers on the
    // current layout; the lock modifiers are added as variants when grabbing.
    struct KeyGrab
    {
        xcb_keycode_t keycode;
        quint16 modifiers;
        bool operator==(const KeyGrab &other) const
        {
            return keycode == other.keycode && modifiers == other.modifiers;
        }
    };

private:
    using NativePair = QPair<quint32, quint32>;

    bool isMappingChange(const xcb_generic_event_t *event) const;
    void regrabAll();
    QVector<quint16> lockVariants() const;
    bool grab(const QVector<KeyGrab> &grabs);
    void ungrab(const QVector<KeyGrab> &grabs);
    bool takenByAnotherHotKey(const QVector<KeyGrab> &grabs) const;

    xcb_connection_t *connection;
    xcb_window_t root;
    quint8 xkbFirstEvent = 0;
    // Lock and NumLock: the server matches modifiers exactly, so every combination of these is
    // grabbed and they are ignored in a press.
    quint16 lockMask = 0;
    // Keyed by the Windows pair. The server lets a client grab the same key twice; Windows does
    // not, and neither do we. A pair whose keys could not be grabbed again after a mapping
    // change stays with no grabs, so that it can still be released.
    QHash<NativePair, QVector<KeyGrab>> registered;
};
