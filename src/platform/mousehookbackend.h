#pragma once

#include <QPoint>

// What the window system offers for watching the mouse everywhere on the desktop.
class MouseHookBackend
{
public:
    // Receives the screen position of each left-button press, in physical pixels.
    using LeftButtonHandler = void (*)(QPoint position);

    virtual ~MouseHookBackend() = default;
    virtual bool install(LeftButtonHandler handler) = 0;
    virtual void uninstall() = 0;
};

// The backend of the running window system; one that refuses to install where there is none.
MouseHookBackend &mouseHookBackend();
// Puts another backend in place of the window system's; nullptr restores it. Not owned.
void setMouseHookBackend(MouseHookBackend *backend);
