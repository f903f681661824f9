#include "x11hotkeybackend.h"

#include "x11connection.h"
#include "x11keysyms.h"

#include <X11/keysym.h>
#include <cstdlib>
#include <memory>

namespace {

struct KeySymbolsDeleter
{
    void operator()(xcb_key_symbols_t *symbols) const { xcb_key_symbols_free(symbols); }
};
using KeySymbols = std::unique_ptr<xcb_key_symbols_t, KeySymbolsDeleter>;

QVector<xcb_keycode_t> keycodesFor(xcb_key_symbols_t *symbols, xcb_keysym_t keysym)
{
    QVector<xcb_keycode_t> keycodes;
    xcb_keycode_t *found = xcb_key_symbols_get_keycode(symbols, keysym);
    for (xcb_keycode_t *code = found; code && *code != XCB_NO_SYMBOL; ++code)
        keycodes.append(*code);
    free(found);
    return keycodes;
}

} // namespace

X11HotKeyBackend::X11HotKeyBackend(xcb_connection_t *connection)
    : connection(connection), root(x11RootWindow(connection))
{
}

quint16 X11HotKeyBackend::numLockMask(xcb_key_symbols_t *symbols) const
{
    const QVector<xcb_keycode_t> numLockKeys = keycodesFor(symbols, XK_Num_Lock);
    std::unique_ptr<xcb_get_modifier_mapping_reply_t, decltype(&free)> mapping(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr),
        &free);
    if (mapping) {
        const xcb_keycode_t *keys = xcb_get_modifier_mapping_keycodes(mapping.get());
        const int perModifier = mapping->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                if (numLockKeys.contains(keys[modifier * perModifier + i]))
                    return quint16(1u << modifier);
            }
        }
    }
    return XCB_MOD_MASK_2;
}

QVector<X11HotKeyBackend::KeyGrab> X11HotKeyBackend::grabsFor(quint32 nativeKey,
                                                              quint32 nativeMods) const
{
    const xcb_keysym_t keysym = x11KeysymForVirtualKey(nativeKey);
    if (keysym == 0)
        return {};
    KeySymbols symbols(xcb_key_symbols_alloc(connection));
    const quint16 modifiers = x11ModifiersForNative(nativeMods);
    const quint16 numLock = numLockMask(symbols.get());
    // The server matches the modifier state exactly, so every lock combination needs a grab.
    const quint16 lockVariants[] = {0, XCB_MOD_MASK_LOCK, numLock,
                                    quint16(XCB_MOD_MASK_LOCK | numLock)};
    QVector<KeyGrab> grabs;
    for (xcb_keycode_t keycode : keycodesFor(symbols.get(), keysym)) {
        for (quint16 locks : lockVariants)
            grabs.append({keycode, quint16(modifiers | locks)});
    }
    return grabs;
}

bool X11HotKeyBackend::registerHotKey(quint32 nativeKey, quint32 nativeMods, int)
{
    const QPair<quint32, quint32> pair(nativeKey, nativeMods);
    if (registered.contains(pair))
        return false;
    const QVector<KeyGrab> grabs = grabsFor(nativeKey, nativeMods);
    if (grabs.isEmpty())
        return false;

    QVector<KeyGrab> made;
    for (const KeyGrab &grab : grabs) {
        // Checked, so that a grab held by another client comes back as BadAccess right here.
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(connection, false, root, grab.modifiers, grab.keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
            free(error);
            ungrab(made);
            return false;
        }
        made.append(grab);
    }
    registered.insert(pair, made);
    return true;
}

bool X11HotKeyBackend::unregisterHotKey(quint32 nativeKey, quint32 nativeMods, int)
{
    const auto found = registered.constFind(qMakePair(nativeKey, nativeMods));
    if (found == registered.constEnd())
        return false;
    ungrab(found.value());
    registered.erase(found);
    return true;
}

void X11HotKeyBackend::ungrab(const QVector<KeyGrab> &grabs)
{
    for (const KeyGrab &grab : grabs)
        xcb_ungrab_key(connection, grab.keycode, root, grab.modifiers);
    xcb_flush(connection);
}

bool X11HotKeyBackend::readHotKeyPress(const QByteArray &eventType, void *message,
                                       quint32 &nativeKey, quint32 &nativeMods)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(message);
    // Grabs are made without owner events, so hot-key presses are always reported on the root.
    if (press->event != root)
        return false;
    KeySymbols symbols(xcb_key_symbols_alloc(connection));
    nativeKey = virtualKeyForX11Keysym(xcb_key_symbols_get_keysym(symbols.get(), press->detail, 0));
    nativeMods = nativeModifiersForX11(press->state);
    return nativeKey != 0;
}
