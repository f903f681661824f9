#pragma once

#include "mousehookbackend.h"
#include "win32/win32hooks.h"

// WH_MOUSE_LL on the program's module for all threads.
class Win32MouseHookBackend : public MouseHookBackend
{
public:
    bool install(LeftButtonHandler handler) override
    {
        leftButtonHandler = handler;
        hook = win32InstallMouseHook([](int x, int y) { leftButtonHandler(QPoint(x, y)); });
        return hook != nullptr;
    }
    void uninstall() override
    {
        if (hook)
            win32UninstallMouseHook(hook);
        hook = nullptr;
    }

private:
    static inline LeftButtonHandler leftButtonHandler = nullptr;
    void *hook = nullptr;
};
