#include "hookkeybord.h"

#ifdef Q_OS_WIN
#include "win32/win32hooks.h"
#endif

Qt::KeyboardModifiers printScreenModifiers(bool controlDown, bool shiftDown)
{
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, controlDown);
    modifiers.setFlag(Qt::ShiftModifier, shiftDown);
    return modifiers;
}

HookKeybord *HookKeybord::instance()
{
    static HookKeybord *const single = new HookKeybord;
    return single;
}

HookKeybord::HookKeybord(QObject *parent) : QObject(parent) {}

void HookKeybord::install()
{
    // A second hook would replace the handle of the first, which then could never be removed
    // and would swallow Print Screen for good.
    if (installed)
        return;
#ifdef Q_OS_WIN
    hook = win32InstallKeyboardHook(&HookKeybord::reportPrintScreen);
#endif
    // On X11 the window being recorded into gets Print Screen with its modifiers as an ordinary
    // key event, so there is nothing to hook and nothing is reported from here.
    installed = true;
}

void HookKeybord::uninstall()
{
#ifdef Q_OS_WIN
    if (hook)
        win32UninstallKeyboardHook(hook);
#endif
    hook = nullptr;
    installed = false;
}

void HookKeybord::reportPrintScreen(bool controlDown, bool shiftDown)
{
    emit instance()->keyPress(Qt::Key_Print, printScreenModifiers(controlDown, shiftDown));
}
