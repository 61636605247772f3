#include "frontends/qt/x11_activation.h"

#include <cstdlib>
#include <cstring>

namespace zindle {

namespace {

constexpr const char kSelection[] = "_ZINDLE_BAR";
constexpr const char kRequest[] = "_ZINDLE_ACTIVATE";

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// A server time stamp: the time of a property change on our own window.
std::uint32_t ServerTime(xcb_connection_t* connection, xcb_window_t window) {
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
    std::uint32_t time = XCB_CURRENT_TIME;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool found = (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY;
        if (found) time = reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
        std::free(event);
        if (found) break;
    }
    return time;
}

xcb_window_t CreateHiddenWindow(xcb_connection_t* connection, xcb_window_t root) {
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    return window;
}

}  // namespace

X11ActivationTarget::X11ActivationTarget(X11Display& display) : display_(display) {
    xcb_connection_t* connection = display_.Connection();
    const xcb_atom_t selection = display_.Atom(kSelection);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool taken = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    if (taken) return;
    window_ = CreateHiddenWindow(connection, display_.Root());
    xcb_set_selection_owner(connection, window_, selection, XCB_CURRENT_TIME);
    display_.Flush();
}

X11ActivationTarget::~X11ActivationTarget() {
    if (window_ == XCB_WINDOW_NONE) return;
    xcb_destroy_window(display_.Connection(), window_);
    display_.Flush();
}

std::optional<std::uint32_t> X11ActivationTarget::Request(const xcb_generic_event_t& event) {
    if (window_ == XCB_WINDOW_NONE || (event.response_type & 0x7F) != XCB_CLIENT_MESSAGE) return std::nullopt;
    const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
    if (message.window != window_ || message.format != 32 || message.type != display_.Atom(kRequest)) {
        return std::nullopt;
    }
    return message.data.data32[0];
}

void X11ActivationTarget::ActivateWindow(xcb_window_t window, std::uint32_t time) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = display_.Atom("_NET_ACTIVE_WINDOW");
    // Said as a pager says it: the request comes from a key the person bound
    // in the desktop's own settings, and KWin gives a dock the focus for no
    // application's request of its own.
    event.data.data32[0] = 2;
    event.data.data32[1] = time;
    xcb_send_event(display_.Connection(), 0, display_.Root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    display_.Flush();
}

bool RequestActivation(const char* displayName) {
    xcb_connection_t* connection = xcb_connect(displayName, nullptr);
    bool sent = false;
    if (xcb_connection_has_error(connection) == 0) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, InternAtom(connection, kSelection)), nullptr);
        if (owner && owner->owner != XCB_WINDOW_NONE && screen) {
            const xcb_window_t ours = CreateHiddenWindow(connection, screen->root);
            xcb_client_message_event_t event{};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = owner->owner;
            event.type = InternAtom(connection, kRequest);
            event.data.data32[0] = ServerTime(connection, ours);
            const xcb_void_cookie_t cookie = xcb_send_event_checked(connection, 0, owner->owner, XCB_EVENT_MASK_NO_EVENT,
                                                                    reinterpret_cast<const char*>(&event));
            xcb_generic_error_t* error = xcb_request_check(connection, cookie);
            sent = error == nullptr;  // the owner may have gone in between
            std::free(error);
            xcb_destroy_window(connection, ours);
        }
        std::free(owner);
    }
    xcb_disconnect(connection);
    return sent;
}

}  // namespace zindle
