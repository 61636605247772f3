#pragma once
// What the bar asks of the docking object that makes its window a desktop
// toolbar: registered with the shell, holding a strip along a screen edge.

#include <functional>
#include <string>

namespace zindle {

class Window;

// Edges and states, as the shell numbers them.
constexpr int kEdgeLeft = 0;
constexpr int kEdgeTop = 1;
constexpr int kEdgeRight = 2;
constexpr int kEdgeBottom = 3;
constexpr int kEdgeNone = 4;
constexpr int kEdgeFloat = 5;

class AppBar {
public:
    virtual ~AppBar() = default;

    // Takes over the window and registers it with the shell.
    virtual void Extends(Window& window) = 0;
    // Gives the strip back to the shell and lets go of the window.
    virtual void Detach() = 0;
    // Docks again at the current edge.
    virtual void UpdateBar() = 0;
    virtual bool LoadSettings() = 0;
    virtual bool SaveSettings() = 0;

    virtual void SetRegistryKey(const std::string& key) = 0;
    virtual void SetAlwaysOnTop(bool onTop) = 0;
    virtual void SetAllowFlags(int flags) = 0;
    // Setting the edge moves the bar there.
    virtual int Edge() const = 0;
    virtual void SetEdge(int edge) = 0;
    virtual void SetHeightStep(int step) = 0;
    virtual int DockedHeight() const = 0;
    virtual void SetDockedHeight(int pixels) = 0;
    virtual void SetMinDockedWidth(int width) = 0;
    virtual void SetMaxDockedWidth(int width) = 0;
    virtual void SetAutoHide(bool autoHide) = 0;
    virtual void SetTaskbarButton(int mode) = 0;
    // Called each time the bar has docked (at a new edge, or again at a new
    // height), so that the owner can save the docking state.
    virtual void SetChangeHandler(std::function<void()> handler) = 0;
};

}  // namespace zindle
