#pragma once

#include "qxtglobalshortcut.h"
#include "qxtprivate.h"

#include <QHash>
#include <QPair>

class QAbstractNativeEventFilter;

class QxtGlobalShortcutPrivate : public QxtPrivate<QxtGlobalShortcut>
{
public:
    using NativeShortcut = QPair<quint32, quint32>; // (virtual key, MOD_ flags)

    explicit QxtGlobalShortcutPrivate(QxtGlobalShortcut *shortcut);
    ~QxtGlobalShortcutPrivate() override;

    bool setShortcut(const QKeySequence &shortcut);
    void unsetShortcut();
    QKeySequence sequence() const;

    static void activateShortcut(quint32 nativeKey, quint32 nativeMods);
    static quint32 nativeKeycode(Qt::Key key);
    static quint32 nativeModifiers(Qt::KeyboardModifiers modifiers);

    bool enabled = true;
    Qt::Key key = Qt::Key(0);
    Qt::KeyboardModifiers mods = Qt::NoModifier;

private:
    static int livePrivateParts;
    static QHash<NativeShortcut, QxtGlobalShortcut *> shortcutRegistry;
    // One filter for all shortcuts, alive from the first private part to the last.
    static QAbstractNativeEventFilter *eventFilter;
};
