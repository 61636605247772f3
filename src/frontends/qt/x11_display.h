#pragma once
// Thin xcb calls on Qt's own X connection: atoms, window properties, the
// root window's size, key codes and key grabs. Everything here is in device
// pixels, as X has it.

#include <xcb/xcb.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_manager.h"

namespace zindle {

class X11Display {
public:
    // Qt's connection; null when Qt does not run on xcb.
    static std::optional<X11Display> FromQt();

    xcb_connection_t* Connection() const { return connection_; }
    xcb_window_t Root() const { return root_; }

    xcb_atom_t Atom(const char* name);
    // A property's 32-bit items (CARDINAL, WINDOW or ATOM lists); empty when
    // missing or of another format.
    std::vector<std::uint32_t> Property32(xcb_window_t window, xcb_atom_t property, std::uint32_t maxItems = 1024);
    void SetProperty32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                       const std::vector<std::uint32_t>& values);
    void DeleteProperty(xcb_window_t window, xcb_atom_t property);
    // Moves and sizes a top-level window to a rectangle of the root.
    void Configure(xcb_window_t window, const RectPx& rect);
    // Takes the resize increments and the base size out of a window's
    // WM_NORMAL_HINTS, so the window manager takes any size; false when
    // they held none.
    bool DropResizeSteps(xcb_window_t window);
    // Asks the window manager to add or remove a _NET_WM_STATE atom of a
    // mapped window.
    void ChangeWmState(xcb_window_t window, bool add, xcb_atom_t state);
    // Adds to the events this client receives from a window, keeping the rest.
    void SelectEvents(xcb_window_t window, std::uint32_t mask);
    bool WindowExists(xcb_window_t window);

    // The root window's width and height.
    std::pair<int, int> RootSize();
    // The RandR monitors (RandR 1.5) with their names and rectangles in
    // device pixels; the work area is left empty. Empty when the server
    // has no such monitors.
    std::vector<Monitor> RandrMonitors();

    // The key codes that produce keysym in any group at any level.
    std::vector<xcb_keycode_t> KeycodesOf(std::uint32_t keysym);
    // Lock and the modifiers NumLock and ScrollLock are on, as the modifier
    // map has them: a hotkey works whichever of them is set.
    std::uint16_t LockModifiers();
    // The first event number of the XKEYBOARD extension; 0 without it.
    std::uint8_t XkbFirstEvent();
    // A passive grab on the root window, also with every combination of the
    // lock modifiers; false (and nothing grabbed) when another client holds
    // any of them.
    bool GrabKey(xcb_keycode_t keycode, std::uint16_t modifiers, std::uint16_t locks);
    void UngrabKey(xcb_keycode_t keycode, std::uint16_t modifiers, std::uint16_t locks);

    void Flush() { xcb_flush(connection_); }

private:
    X11Display(xcb_connection_t* connection, xcb_window_t root) : connection_(connection), root_(root) {}

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::map<std::string, xcb_atom_t> atoms_;
    std::optional<std::uint8_t> xkbFirstEvent_;
};

// A grab's variants: modifiers with each combination of the lock modifiers.
std::vector<std::uint16_t> GrabVariants(std::uint16_t modifiers, std::uint16_t locks);

}  // namespace zindle
