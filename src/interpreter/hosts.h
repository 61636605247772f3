#pragma once
// What the interpreter asks of the subsystems around it. The bar, the docking
// object, the clocks, the skin loader and the options dialog all call the
// interpreter in turn, so it reaches them only through these interfaces.

#include <string>

namespace zindle {

class Label;

class BarHost {
public:
    virtual ~BarHost() = default;
    virtual Label& StatusLine() = 0;
    virtual void BlinkBar() = 0;
    // Unloads the bar window, saving the settings and the history.
    virtual void Unload() = 0;
};

class DockHost {
public:
    virtual ~DockHost() = default;
    // Docks the bar at edge 1 (top) or 3 (bottom) and gives the swap button
    // the arrow towards the other edge.
    virtual void DockAtEdge(int edge) = 0;
};

class ClockHost {
public:
    virtual ~ClockHost() = default;
    virtual void ClockCommand(const std::string& parameters) = 0;
};

class SkinHost {
public:
    virtual ~SkinHost() = default;
    virtual void LoadSkin(const std::string& name) = 0;
};

class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    // Opens the hotkey options dialog modally and returns when it closes.
    virtual void ShowHotkeyOptions() = 0;
};

// The subsystems the interpreter can reach. The bar is always there once the
// program runs; the others are connected as the program has them.
struct InterpreterHosts {
    BarHost* bar = nullptr;
    DockHost* dock = nullptr;
    ClockHost* clock = nullptr;
    SkinHost* skins = nullptr;
    OptionsHost* options = nullptr;
};

}  // namespace zindle
