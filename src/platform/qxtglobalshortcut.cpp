#include "qxtglobalshortcut.h"

#include "hotkeybackend.h"
#include "qxtglobalshortcut_p.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QDebug>

namespace {

constexpr quint32 keyMask = 0x01FFFFFF;

// Shared by every shortcut rather than being one of them: a filter tied to the first shortcut
// would vanish with it and leave the others deaf.
class HotKeyEventFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        quint32 nativeKey = 0;
        quint32 nativeMods = 0;
        if (hotKeyBackend().readHotKeyPress(eventType, message, nativeKey, nativeMods))
            QxtGlobalShortcutPrivate::activateShortcut(nativeKey, nativeMods);
        return false;
    }
};

} // namespace

int QxtGlobalShortcutPrivate::livePrivateParts = 0;
QHash<QxtGlobalShortcutPrivate::NativeShortcut, QxtGlobalShortcut *>
    QxtGlobalShortcutPrivate::shortcutRegistry;
QAbstractNativeEventFilter *QxtGlobalShortcutPrivate::eventFilter = nullptr;

QxtGlobalShortcutPrivate::QxtGlobalShortcutPrivate(QxtGlobalShortcut *shortcut)
    : QxtPrivate(shortcut)
{
    if (livePrivateParts++ == 0) {
        eventFilter = new HotKeyEventFilter;
        if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
            dispatcher->installNativeEventFilter(eventFilter);
    }
}

QxtGlobalShortcutPrivate::~QxtGlobalShortcutPrivate()
{
    // An entry can outlive the key, e.g. after registering the empty sequence; never leave a
    // dangling object behind in the registry.
    for (auto it = shortcutRegistry.begin(); it != shortcutRegistry.end();) {
        if (it.value() == &qxt_p())
            it = shortcutRegistry.erase(it);
        else
            ++it;
    }
    if (--livePrivateParts == 0) {
        delete eventFilter; // takes itself off the dispatcher
        eventFilter = nullptr;
    }
}

QKeySequence QxtGlobalShortcutPrivate::sequence() const
{
    return key == 0 ? QKeySequence() : QKeySequence(QKeyCombination(mods, key));
}

bool QxtGlobalShortcutPrivate::setShortcut(const QKeySequence &shortcut)
{
    const quint32 combined = shortcut.isEmpty() ? 0 : quint32(shortcut[0].toCombined());
    key = Qt::Key(combined & keyMask);
    mods = Qt::KeyboardModifiers::fromInt(int(combined & ~keyMask));
    const quint32 nativeKey = nativeKeycode(key);
    const quint32 nativeMods = nativeModifiers(mods);

    const bool registered =
        hotKeyBackend().registerHotKey(nativeKey, nativeMods, int(nativeMods ^ nativeKey));
    if (registered)
        shortcutRegistry.insert(qMakePair(nativeKey, nativeMods), &qxt_p());
    else
        qWarning().noquote() << "QxtGlobalShortcut failed to register:"
                             << sequence().toString(QKeySequence::PortableText);
    return registered;
}

void QxtGlobalShortcutPrivate::unsetShortcut()
{
    const quint32 nativeKey = nativeKeycode(key);
    const quint32 nativeMods = nativeModifiers(mods);
    const NativeShortcut pair(nativeKey, nativeMods);

    bool released = false;
    if (shortcutRegistry.value(pair) == &qxt_p()) {
        released =
            hotKeyBackend().unregisterHotKey(nativeKey, nativeMods, int(nativeMods ^ nativeKey));
        if (released)
            shortcutRegistry.remove(pair);
    }
    if (!released)
        qWarning().noquote() << "QxtGlobalShortcut failed to unregister:"
                             << sequence().toString(QKeySequence::PortableText);
    key = Qt::Key(0);
    mods = Qt::NoModifier;
}

void QxtGlobalShortcutPrivate::activateShortcut(quint32 nativeKey, quint32 nativeMods)
{
    QxtGlobalShortcut *shortcut = shortcutRegistry.value(qMakePair(nativeKey, nativeMods));
    if (shortcut && shortcut->isEnabled())
        emit shortcut->activated(shortcut);
}

quint32 QxtGlobalShortcutPrivate::nativeModifiers(Qt::KeyboardModifiers modifiers)
{
    quint32 native = 0;
    if (modifiers & Qt::ShiftModifier)
        native |= 0x4; // MOD_SHIFT
    if (modifiers & Qt::ControlModifier)
        native |= 0x2; // MOD_CONTROL
    if (modifiers & Qt::AltModifier)
        native |= 0x1; // MOD_ALT
    if (modifiers & Qt::MetaModifier)
        native |= 0x8; // MOD_WIN
    return native;
}

quint32 QxtGlobalShortcutPrivate::nativeKeycode(Qt::Key key)
{
    if (key == Qt::Key_Space || (key >= Qt::Key_0 && key <= Qt::Key_9) ||
        (key >= Qt::Key_A && key <= Qt::Key_Z))
        return quint32(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + quint32(key - Qt::Key_F1);

    switch (key) {
    case Qt::Key_QuoteDbl:
    case Qt::Key_Apostrophe:
        return 222;
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
        return 190;
    case Qt::Key_Slash:
        return 111;
    case Qt::Key_Colon:
    case Qt::Key_Semicolon:
        return 186;
    case Qt::Key_Equal:
        return 187;
    case Qt::Key_Question:
        return 191;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 221;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 192;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_VolumeDown:
        return 174;
    case Qt::Key_VolumeMute:
        return 173;
    case Qt::Key_VolumeUp:
        return 175;
    case Qt::Key_MediaPlay:
        return 179;
    case Qt::Key_MediaStop:
        return 178;
    case Qt::Key_MediaPrevious:
        return 177;
    case Qt::Key_MediaNext:
        return 176;
    default:
        return 0;
    }
}

QxtGlobalShortcut::QxtGlobalShortcut(QObject *parent)
    : QObject(parent), d(std::make_unique<QxtGlobalShortcutPrivate>(this))
{
}

QxtGlobalShortcut::QxtGlobalShortcut(const QKeySequence &shortcut, QObject *parent)
    : QxtGlobalShortcut(parent)
{
    setShortcut(shortcut);
}

QxtGlobalShortcut::~QxtGlobalShortcut()
{
    if (d->key != 0)
        d->unsetShortcut();
}

QKeySequence QxtGlobalShortcut::shortcut() const
{
    return d->sequence();
}

bool QxtGlobalShortcut::setShortcut(const QKeySequence &shortcut)
{
    if (d->key != 0)
        d->unsetShortcut();
    return d->setShortcut(shortcut);
}

bool QxtGlobalShortcut::isEnabled() const
{
    return d->enabled;
}

void QxtGlobalShortcut::setEnabled(bool enabled)
{
    d->enabled = enabled;
}

void QxtGlobalShortcut::setDisabled(bool disabled)
{
    d->enabled = !disabled;
}
