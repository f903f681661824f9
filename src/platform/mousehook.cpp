#include "mousehook.h"

#include "mousehookbackend.h"

#include <QCoreApplication>

MouseHook *MouseHook::activeInstance = nullptr;

MouseHook::MouseHook(QObject *parent) : QObject(parent) {}

MouseHook::~MouseHook()
{
    if (installed)
        uninstall();
}

bool MouseHook::install()
{
    if (installed)
        return true;
    // One system hook serves every instance: installing a second would leak the first.
    if (!activeInstance && !mouseHookBackend().install(&MouseHook::queueLeftButtonPress))
        return false;
    activeInstance = this;
    installed = true;
    return true;
}

void MouseHook::uninstall()
{
    if (!installed)
        return;
    installed = false;
    if (activeInstance != this)
        return; // another instance took over the hook and keeps it
    mouseHookBackend().uninstall();
    activeInstance = nullptr;
}

void MouseHook::queueLeftButtonPress(QPoint position)
{
    // Queued so that the system's hook returns at once; a press that arrives after the last
    // uninstall() is dropped.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [position] {
            if (activeInstance)
                emit activeInstance->leftButtonPressed(position);
        },
        Qt::QueuedConnection);
}
