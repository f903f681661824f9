#pragma once

#include <QKeySequence>
#include <QSet>
#include <QStringList>

#include <functional>

// Tells the user which global hot keys could not be taken, so that a key that does nothing has a
// reason. Each key is told once per start: the keys are registered again whenever the settings
// dialog closes, and the same notice after every close would nag.
class HotkeyFailureNotice
{
public:
    using Show = std::function<void(const QStringList &keys)>;

    explicit HotkeyFailureNotice(Show show) : show(std::move(show)) {}

    // The keys that failed in one round of registering; shows those not told before, if any.
    void report(const QStringList &failedKeys);
    // How a key that failed is named to the user, from the stored text and what it parsed to.
    static QString keyName(const QString &stored, const QKeySequence &sequence);

private:
    Show show;
    QSet<QString> told;
};
