#pragma once

#include "mousehookbackend.h"

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

// XInput2 raw button presses selected on the root window, which the server delivers whichever
// window has the pointer or a grab.
class X11MouseHookBackend : public MouseHookBackend, public QAbstractNativeEventFilter
{
public:
    explicit X11MouseHookBackend(xcb_connection_t *connection);

    bool install(LeftButtonHandler handler) override;
    void uninstall() override;
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override;

private:
    bool selectRawButtonPresses(bool on);
    quint32 logicalButton(xcb_input_device_id_t device, quint32 physical);

    xcb_connection_t *connection;
    xcb_window_t root;
    quint8 inputOpcode = 0;
    LeftButtonHandler handler = nullptr;
};
