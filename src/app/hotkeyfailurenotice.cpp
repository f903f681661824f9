#include "hotkeyfailurenotice.h"

void HotkeyFailureNotice::report(const QStringList &failedKeys)
{
    QStringList fresh;
    for (const QString &key : failedKeys) {
        if (!told.contains(key))
            fresh.append(key);
        told.insert(key);
    }
    if (!fresh.isEmpty())
        show(fresh);
}

QString HotkeyFailureNotice::keyName(const QString &stored, const QKeySequence &sequence)
{
    // A stored text that names no key parses to the unknown key, which has no text of its own.
    const QString shown = sequence.toString(QKeySequence::NativeText);
    return shown.isEmpty() ? stored : shown;
}
