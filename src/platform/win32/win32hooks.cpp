#include "win32hooks.h"

#include <windows.h>

namespace {

LeftButtonHandler leftButtonHandler = nullptr;
PrintScreenHandler printScreenHandler = nullptr;

LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == WM_LBUTTONDOWN && leftButtonHandler) {
        const auto *info = reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
        leftButtonHandler(info->pt.x, info->pt.y);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool isKeyMessage(WPARAM message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP;
}

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && isKeyMessage(wParam) && printScreenHandler) {
        const auto *info = reinterpret_cast<const KBDLLHOOKSTRUCT *>(lParam);
        if (info->vkCode == VK_SNAPSHOT) {
            printScreenHandler(GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

void *win32InstallMouseHook(LeftButtonHandler handler)
{
    leftButtonHandler = handler;
    HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, mouseProc, GetModuleHandleW(nullptr), 0);
    if (!hook)
        leftButtonHandler = nullptr;
    return hook;
}

void win32UninstallMouseHook(void *hook)
{
    UnhookWindowsHookEx(static_cast<HHOOK>(hook));
    leftButtonHandler = nullptr;
}

void *win32InstallKeyboardHook(PrintScreenHandler handler)
{
    printScreenHandler = handler;
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProc, nullptr, 0);
    if (!hook)
        printScreenHandler = nullptr;
    return hook;
}

void win32UninstallKeyboardHook(void *hook)
{
    UnhookWindowsHookEx(static_cast<HHOOK>(hook));
    printScreenHandler = nullptr;
}
