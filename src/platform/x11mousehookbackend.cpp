#include "x11mousehookbackend.h"

#include "x11connection.h"

#include <QAbstractEventDispatcher>

#include <xcb/xinput.h>

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

namespace {

// A button map sends button n to map[n - 1]; buttons beyond it stay as they are.
quint32 throughMap(const uint8_t *map, int length, quint32 button)
{
    return button >= 1 && int(button) <= length ? map[button - 1] : button;
}

} // namespace

quint32 X11MouseHookBackend::logicalButton(xcb_input_device_id_t device, quint32 physical)
{
    // Raw events report the button the hardware pressed. The device's own map (set for one
    // mouse) and then the pointer's map (a left-handed user's) turn it into the button that
    // windows see. Asked at each press, so a changed mapping counts at once.
    quint32 button = physical;
    X11Reply<xcb_input_get_device_button_mapping_reply_t> deviceMap(
        xcb_input_get_device_button_mapping_reply(
            connection, xcb_input_get_device_button_mapping(connection, quint8(device)), nullptr),
        &free);
    if (deviceMap)
        button =
            throughMap(xcb_input_get_device_button_mapping_map(deviceMap.get()),
                       xcb_input_get_device_button_mapping_map_length(deviceMap.get()), button);
    X11Reply<xcb_get_pointer_mapping_reply_t> pointerMap(
        xcb_get_pointer_mapping_reply(connection, xcb_get_pointer_mapping(connection), nullptr),
        &free);
    if (pointerMap)
        button = throughMap(xcb_get_pointer_mapping_map(pointerMap.get()),
                            xcb_get_pointer_mapping_map_length(pointerMap.get()), button);
    return button;
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
    const auto *press = static_cast<const xcb_input_raw_button_press_event_t *>(message);
    if (logicalButton(press->sourceid, press->detail) != 1)
        return false;
    // Raw events carry no position; the pointer is still where the press happened.
    X11Reply<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr), &free);
    if (pointer)
        handler(QPoint(pointer->root_x, pointer->root_y));
    return false;
}
