#include "frontends/qt/x11_display.h"

#include <QGuiApplication>
#include <xcb/xcbext.h>
#include <sys/uio.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zindle {

namespace {

// xcb keeps what it learns of an extension in its one object per name.
xcb_extension_t randrExtension = {"RANDR", 0};

template <class Reply>
struct Freed {
    Reply* reply;
    explicit Freed(Reply* r) : reply(r) {}
    ~Freed() { std::free(reply); }
    Freed(const Freed&) = delete;
    Freed& operator=(const Freed&) = delete;
    Reply* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

}  // namespace

std::vector<std::uint16_t> GrabVariants(std::uint16_t modifiers, std::uint16_t locks) {
    locks &= static_cast<std::uint16_t>(~modifiers);
    // Every subset of locks, the empty one first.
    std::vector<std::uint16_t> variants;
    std::uint16_t subset = 0;
    do {
        variants.push_back(static_cast<std::uint16_t>(modifiers | subset));
        subset = static_cast<std::uint16_t>((subset - locks) & locks);
    } while (subset != 0);
    return variants;
}

std::optional<X11Display> X11Display::FromQt() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return std::nullopt;
    return X11Display(connection, screen->root);
}

xcb_atom_t X11Display::Atom(const char* name) {
    const auto found = atoms_.find(name);
    if (found != atoms_.end()) return found->second;
    const auto cookie = xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    Freed reply(xcb_intern_atom_reply(connection_, cookie, nullptr));
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    atoms_[name] = atom;
    return atom;
}

std::vector<std::uint32_t> X11Display::Property32(xcb_window_t window, xcb_atom_t property, std::uint32_t maxItems) {
    const auto cookie = xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, maxItems);
    Freed reply(xcb_get_property_reply(connection_, cookie, nullptr));
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.reply));
    const int count = xcb_get_property_value_length(reply.reply) / 4;
    return std::vector<std::uint32_t>(values, values + count);
}

void X11Display::SetProperty32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                               const std::vector<std::uint32_t>& values) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, property, type, 32,
                        static_cast<std::uint32_t>(values.size()), values.data());
}

void X11Display::DeleteProperty(xcb_window_t window, xcb_atom_t property) {
    xcb_delete_property(connection_, window, property);
}

void X11Display::Configure(xcb_window_t window, const RectPx& rect) {
    const std::uint32_t values[] = {static_cast<std::uint32_t>(rect.left), static_cast<std::uint32_t>(rect.top),
                                    static_cast<std::uint32_t>(std::max(rect.right - rect.left, 1)),
                                    static_cast<std::uint32_t>(std::max(rect.bottom - rect.top, 1))};
    xcb_configure_window(connection_, window,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
}

bool X11Display::DropResizeSteps(xcb_window_t window) {
    // WM_SIZE_HINTS: flags, then x, y, width, height, the minimum and the
    // maximum size, the increments, the aspects, the base size, the gravity.
    constexpr std::uint32_t kResizeIncrements = 1u << 6;
    constexpr std::uint32_t kBaseSize = 1u << 8;
    constexpr std::size_t kFields = 18;
    std::vector<std::uint32_t> hints = Property32(window, XCB_ATOM_WM_NORMAL_HINTS, kFields);
    if (hints.size() != kFields || !(hints[0] & (kResizeIncrements | kBaseSize))) return false;
    hints[0] &= ~(kResizeIncrements | kBaseSize);
    SetProperty32(window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, hints);
    return true;
}

void X11Display::ChangeWmState(xcb_window_t window, bool add, xcb_atom_t state) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = Atom("_NET_WM_STATE");
    event.data.data32[0] = add ? 1 : 0;
    event.data.data32[1] = state;
    event.data.data32[3] = 1;  // a normal application asks
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

void X11Display::SelectEvents(xcb_window_t window, std::uint32_t mask) {
    Freed reply(xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr));
    if (!reply) return;
    const std::uint32_t wanted = reply->your_event_mask | mask;
    if (wanted != reply->your_event_mask) xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &wanted);
}

bool X11Display::WindowExists(xcb_window_t window) {
    if (window == XCB_WINDOW_NONE) return false;
    Freed reply(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    return static_cast<bool>(reply);
}

std::pair<int, int> X11Display::RootSize() {
    Freed reply(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, root_), nullptr));
    if (!reply) return {0, 0};
    return {reply->width, reply->height};
}

// RandR's GetMonitors, sent by hand: the system has no xcb-randr to build
// against. Qt has agreed RandR 1.5 on this connection already.
std::vector<Monitor> X11Display::RandrMonitors() {
    constexpr std::uint8_t kGetMonitors = 42;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection_, &randrExtension);
    if (!extension || !extension->present) return {};
    struct Request {
        std::uint8_t major = 0;
        std::uint8_t minor = 0;
        std::uint16_t length = 0;
        std::uint32_t window = 0;
        std::uint8_t getActive = 1;
        std::uint8_t pad[3] = {};
    } request;
    request.window = root_;
    iovec parts[4] = {};
    parts[2].iov_base = &request;
    parts[2].iov_len = sizeof request;
    const xcb_protocol_request_t protocol{2, &randrExtension, kGetMonitors, 0};
    const unsigned sequence = xcb_send_request(connection_, XCB_REQUEST_CHECKED, parts + 2, &protocol);
    xcb_generic_error_t* error = nullptr;
    Freed reply(static_cast<std::uint8_t*>(xcb_wait_for_reply(connection_, sequence, &error)));
    std::free(error);
    if (!reply) return {};
    // The reply: 32 bytes of header (its length in 4-byte words after them at
    // offset 4, the monitor count at 12), then each monitor: name atom,
    // primary, automatic, output count, x, y, width, height (pixels),
    // width and height (mm), its outputs.
    const std::uint8_t* bytes = reply.reply;
    const auto read32 = [](const std::uint8_t* at) { std::uint32_t v; std::memcpy(&v, at, 4); return v; };
    const auto read16 = [](const std::uint8_t* at) { std::uint16_t v; std::memcpy(&v, at, 2); return v; };
    const std::size_t size = 32 + std::size_t{read32(bytes + 4)} * 4;
    const std::uint32_t count = read32(bytes + 12);
    std::vector<std::pair<xcb_get_atom_name_cookie_t, Monitor>> found;
    std::size_t offset = 32;
    for (std::uint32_t i = 0; i < count && offset + 24 <= size; ++i) {
        const std::uint8_t* at = bytes + offset;
        const auto x = static_cast<std::int16_t>(read16(at + 8));
        const auto y = static_cast<std::int16_t>(read16(at + 10));
        Monitor monitor{"", {x, y, x + read16(at + 12), y + read16(at + 14)}, {}, at[4] != 0};
        found.emplace_back(xcb_get_atom_name(connection_, read32(at)), monitor);
        offset += 24 + std::size_t{read16(at + 6)} * 4;
    }
    std::vector<Monitor> monitors;
    for (auto& [cookie, monitor] : found) {
        Freed name(xcb_get_atom_name_reply(connection_, cookie, nullptr));
        if (name) monitor.name.assign(xcb_get_atom_name_name(name.reply), xcb_get_atom_name_name_length(name.reply));
        monitors.push_back(std::move(monitor));
    }
    return monitors;
}

std::vector<xcb_keycode_t> X11Display::KeycodesOf(std::uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const xcb_keycode_t first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    Freed reply(xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, first, static_cast<std::uint8_t>(count)), nullptr));
    if (!reply || reply->keysyms_per_keycode == 0) return {};
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.reply);
    const int perKeycode = reply->keysyms_per_keycode;
    std::vector<xcb_keycode_t> keycodes;
    for (int i = 0; i < count; ++i) {
        const xcb_keysym_t* own = keysyms + i * perKeycode;
        if (std::find(own, own + perKeycode, keysym) != own + perKeycode) {
            keycodes.push_back(static_cast<xcb_keycode_t>(first + i));
        }
    }
    return keycodes;
}

std::uint16_t X11Display::LockModifiers() {
    constexpr xcb_keysym_t kNumLock = 0xff7f;
    constexpr xcb_keysym_t kScrollLock = 0xff14;
    std::vector<xcb_keycode_t> lockKeys = KeycodesOf(kNumLock);
    const std::vector<xcb_keycode_t> scrollLockKeys = KeycodesOf(kScrollLock);
    lockKeys.insert(lockKeys.end(), scrollLockKeys.begin(), scrollLockKeys.end());
    std::uint16_t locks = XCB_MOD_MASK_LOCK;
    Freed reply(xcb_get_modifier_mapping_reply(connection_, xcb_get_modifier_mapping(connection_), nullptr));
    if (!reply) return locks;
    const xcb_keycode_t* map = xcb_get_modifier_mapping_keycodes(reply.reply);
    const int perModifier = reply->keycodes_per_modifier;
    // Shift, Lock and Control keep their meaning; Mod1 to Mod5 are assigned.
    for (int modifier = 3; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t keycode = map[modifier * perModifier + i];
            if (keycode != 0 && std::find(lockKeys.begin(), lockKeys.end(), keycode) != lockKeys.end()) {
                locks |= static_cast<std::uint16_t>(1u << modifier);
            }
        }
    }
    return locks;
}

std::uint8_t X11Display::XkbFirstEvent() {
    if (!xkbFirstEvent_) {
        constexpr const char kName[] = "XKEYBOARD";
        Freed reply(xcb_query_extension_reply(connection_, xcb_query_extension(connection_, sizeof kName - 1, kName),
                                              nullptr));
        xkbFirstEvent_ = reply && reply->present ? reply->first_event : 0;
    }
    return *xkbFirstEvent_;
}

bool X11Display::GrabKey(xcb_keycode_t keycode, std::uint16_t modifiers, std::uint16_t locks) {
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t variant : GrabVariants(modifiers, locks)) {
        cookies.push_back(xcb_grab_key_checked(connection_, 1, root_, variant, keycode, XCB_GRAB_MODE_ASYNC,
                                               XCB_GRAB_MODE_ASYNC));
    }
    bool refused = false;
    for (const auto cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            refused = true;  // BadAccess: another client holds the key
            std::free(error);
        }
    }
    // A refused variant left nothing grabbed; ungrabbing it frees nothing of another client's.
    if (refused) UngrabKey(keycode, modifiers, locks);
    return !refused;
}

void X11Display::UngrabKey(xcb_keycode_t keycode, std::uint16_t modifiers, std::uint16_t locks) {
    for (const std::uint16_t variant : GrabVariants(modifiers, locks)) xcb_ungrab_key(connection_, keycode, root_, variant);
    xcb_flush(connection_);
}

}  // namespace zindle
