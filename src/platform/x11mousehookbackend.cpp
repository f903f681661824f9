#include "x11mousehookbackend.h"

#include "x11connection.h"

#include <QAbstractEventDispatcher>

#include <xcb/xinput.h>

#include <cstdlib>
#include <memory>

X11MouseHookBackend::X11MouseHookBackend(xcb_connection_t *connection)
    : connection(connection), root(x11RootWindow(connection))
{
}

bool X11MouseHookBackend::selectRawButtonPresses(bool on)
{
    struct
    {
        xcb_input_event_mask_t header;
        uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           on ? uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS) : 0u};
    const xcb_void_cookie_t cookie =
        xcb_input_xi_select_events_checked(connection, root, 1, &mask.header);
    xcb_generic_error_t *error = xcb_request_check(connection, cookie);
    free(error);
    return error == nullptr;
}

bool X11MouseHookBackend::install(LeftButtonHandler leftButtonHandler)
{
    const xcb_query_extension_reply_t *input = xcb_get_extension_data(connection, &xcb_input_id);
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    if (!input || !input->present || !dispatcher || !selectRawButtonPresses(true))
        return false;
    inputOpcode = input->major_opcode;
    handler = leftButtonHandler;
    dispatcher->installNativeEventFilter(this);
    return true;
}

void X11MouseHookBackend::uninstall()
{
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->removeNativeEventFilter(this);
    selectRawButtonPresses(false);
    handler = nullptr;
}

bool X11MouseHookBackend::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (!handler || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_ge_generic_event_t *>(message);
    if ((event->response_type & 0x7F) != XCB_GE_GENERIC || event->extension != inputOpcode ||
        event->event_type != XCB_INPUT_RAW_BUTTON_PRESS)
        return false;
    if (static_cast<const xcb_input_raw_button_press_event_t *>(message)->detail != 1)
        return false;
    // Raw events carry no position; the pointer is still where the press happened.
    std::unique_ptr<xcb_query_pointer_reply_t, decltype(&free)> pointer(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr), &free);
    if (pointer)
        handler(QPoint(pointer->root_x, pointer->root_y));
    return false;
}
