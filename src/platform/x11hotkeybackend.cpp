#include "x11hotkeybackend.h"

#include "x11connection.h"
#include "x11keysyms.h"

#include <X11/keysym.h>
#include <cstring>

namespace {

// The server's keyboard mapping with the modifiers that reach its shift levels.
class KeyboardMapping
{
public:
    explicit KeyboardMapping(xcb_connection_t *connection)
        : keys(nullptr, &free), modifiers(nullptr, &free)
    {
        const xcb_setup_t *setup = xcb_get_setup(connection);
        minKeycode = setup->min_keycode;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        keys.reset(xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
        modifiers.reset(xcb_get_modifier_mapping_reply(
            connection, xcb_get_modifier_mapping(connection), nullptr));
        if (keys)
            keycodeCount = keys->length / qMax<int>(keys->keysyms_per_keycode, 1);
    }

    quint16 numLockMask() const { return maskOf(XK_Num_Lock); }

    // Every key that types the keysym, with the modifiers its level needs added. Only the first
    // group is looked at: the core mapping lists its levels 1 and 2 in columns 0 and 1 and
    // levels 3 and 4 (AltGr) in columns 4 and 5.
    QVector<X11HotKeyBackend::KeyGrab> keysTyping(xcb_keysym_t keysym, quint16 modifiers) const
    {
        const quint16 levelThree = maskOf(XK_ISO_Level3_Shift);
        const struct
        {
            int column;
            quint16 modifiers;
        } levels[] = {{0, 0},
                      {1, XCB_MOD_MASK_SHIFT},
                      {4, levelThree},
                      {5, quint16(levelThree | XCB_MOD_MASK_SHIFT)}};
        QVector<X11HotKeyBackend::KeyGrab> grabs;
        for (int index = 0; index < keycodeCount; ++index) {
            for (const auto &level : levels) {
                if ((level.column >= 4 && levelThree == 0) || symbol(index, level.column) != keysym)
                    continue;
                // The lowest level wins: higher columns may repeat the keysym.
                grabs.append(
                    {xcb_keycode_t(minKeycode + index), quint16(modifiers | level.modifiers)});
                break;
            }
        }
        return grabs;
    }

private:
    xcb_keysym_t symbol(int keyIndex, int column) const
    {
        const int perKeycode = keys->keysyms_per_keycode;
        if (column >= perKeycode)
            return XCB_NO_SYMBOL;
        return xcb_get_keyboard_mapping_keysyms(keys.get())[keyIndex * perKeycode + column];
    }

    // The modifier bit of the keys whose first keysym is the given one, 0 when there are none.
    quint16 maskOf(xcb_keysym_t keysym) const
    {
        if (!keys || !modifiers)
            return 0;
        const xcb_keycode_t *mapped = xcb_get_modifier_mapping_keycodes(modifiers.get());
        const int perModifier = modifiers->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                const int index = mapped[modifier * perModifier + i] - minKeycode;
                if (index >= 0 && index < keycodeCount && symbol(index, 0) == keysym)
                    return quint16(1u << modifier);
            }
        }
        return 0;
    }

    X11Reply<xcb_get_keyboard_mapping_reply_t> keys;
    X11Reply<xcb_get_modifier_mapping_reply_t> modifiers;
    xcb_keycode_t minKeycode = 0;
    int keycodeCount = 0;
};

quint8 firstEventOf(xcb_connection_t *connection, const char *extension)
{
    X11Reply<xcb_query_extension_reply_t> reply(
        xcb_query_extension_reply(
            connection, xcb_query_extension(connection, quint16(strlen(extension)), extension),
            nullptr),
        &free);
    return reply && reply->present ? reply->first_event : 0;
}

// The XKB events that tell of a new keyboard description or a changed key mapping.
constexpr quint8 xkbNewKeyboardNotify = 0;
constexpr quint8 xkbMapNotify = 1;

} // namespace

X11HotKeyBackend::X11HotKeyBackend(xcb_connection_t *connection)
    : connection(connection), root(x11RootWindow(connection)),
      xkbFirstEvent(firstEventOf(connection, "XKEYBOARD"))
{
}

bool X11HotKeyBackend::registerHotKey(quint32 nativeKey, quint32 nativeMods, int)
{
    const NativePair pair(nativeKey, nativeMods);
    const xcb_keysym_t keysym = x11KeysymForVirtualKey(nativeKey);
    if (registered.contains(pair) || keysym == 0)
        return false;
    const KeyboardMapping mapping(connection);
    lockMask = quint16(XCB_MOD_MASK_LOCK | mapping.numLockMask());
    const QVector<KeyGrab> grabs = mapping.keysTyping(keysym, x11ModifiersForNative(nativeMods));
    // On some layouts two combinations are typed the same way; the press could not tell them
    // apart.
    if (grabs.isEmpty() || takenByAnotherHotKey(grabs) || !grab(grabs))
        return false;
    registered.insert(pair, grabs);
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

bool X11HotKeyBackend::takenByAnotherHotKey(const QVector<KeyGrab> &grabs) const
{
    for (const QVector<KeyGrab> &held : registered) {
        for (const KeyGrab &key : grabs) {
            if (held.contains(key))
                return true;
        }
    }
    return false;
}

QVector<quint16> X11HotKeyBackend::lockVariants() const
{
    const quint16 numLock = lockMask & ~XCB_MOD_MASK_LOCK;
    if (numLock == 0)
        return {0, XCB_MOD_MASK_LOCK};
    return {0, XCB_MOD_MASK_LOCK, numLock, lockMask};
}

bool X11HotKeyBackend::grab(const QVector<KeyGrab> &grabs)
{
    for (const KeyGrab &key : grabs) {
        for (quint16 locks : lockVariants()) {
            // Checked, so that a grab held by another client comes back as BadAccess right here.
            const xcb_void_cookie_t cookie =
                xcb_grab_key_checked(connection, false, root, quint16(key.modifiers | locks),
                                     key.keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
                free(error);
                ungrab(grabs); // releases only what this client holds
                return false;
            }
        }
    }
    return true;
}

void X11HotKeyBackend::ungrab(const QVector<KeyGrab> &grabs)
{
    for (const KeyGrab &key : grabs) {
        for (quint16 locks : lockVariants())
            xcb_ungrab_key(connection, key.keycode, root, quint16(key.modifiers | locks));
    }
    xcb_flush(connection);
}

bool X11HotKeyBackend::isMappingChange(const xcb_generic_event_t *event) const
{
    const quint8 type = event->response_type & 0x7F;
    if (type == XCB_MAPPING_NOTIFY) {
        const quint8 request = reinterpret_cast<const xcb_mapping_notify_event_t *>(event)->request;
        return request == XCB_MAPPING_KEYBOARD || request == XCB_MAPPING_MODIFIER;
    }
    // Clients that use XKB, as Qt does, hear of a new layout only through its own events.
    const quint8 xkbType = event->pad0; // the XKB event's subtype sits in the second byte
    return xkbFirstEvent != 0 && type == xkbFirstEvent &&
           (xkbType == xkbNewKeyboardNotify || xkbType == xkbMapNotify);
}

void X11HotKeyBackend::regrabAll()
{
    for (QVector<KeyGrab> &grabs : registered) {
        ungrab(grabs);
        grabs.clear();
    }
    const KeyboardMapping mapping(connection);
    lockMask = quint16(XCB_MOD_MASK_LOCK | mapping.numLockMask());
    for (auto it = registered.begin(); it != registered.end(); ++it) {
        const QVector<KeyGrab> grabs = mapping.keysTyping(x11KeysymForVirtualKey(it.key().first),
                                                          x11ModifiersForNative(it.key().second));
        if (!takenByAnotherHotKey(grabs) && grab(grabs))
            it.value() = grabs;
    }
}

bool X11HotKeyBackend::readHotKeyPress(const QByteArray &eventType, void *message,
                                       quint32 &nativeKey, quint32 &nativeMods)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if (isMappingChange(event)) {
        regrabAll();
        return false;
    }
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(message);
    // Grabs are made without owner events, so hot-key presses are always reported on the root.
    if (press->event != root)
        return false;
    // The state also carries pointer buttons and the XKB group above the eight modifiers.
    const KeyGrab pressed{press->detail, quint16(press->state & 0xFF & ~lockMask)};
    for (auto it = registered.constBegin(); it != registered.constEnd(); ++it) {
        if (it.value().contains(pressed)) {
            nativeKey = it.key().first;
            nativeMods = it.key().second;
            return true;
        }
    }
    return false;
}
