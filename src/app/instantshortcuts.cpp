#include "instantshortcuts.h"

#include <QAbstractButton>
#include <QShortcutEvent>

void InstantShortcuts::watch(QAbstractButton *button)
{
    button->installEventFilter(this);
}

bool InstantShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    // An ambiguous key is left to the button, which then only takes the focus.
    if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent *>(event)->isAmbiguous())
        return false;
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button)
        return false;
    if (button->isEnabled())
        button->click();
    return true;
}
