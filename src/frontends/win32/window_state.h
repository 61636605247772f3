#pragma once
// What a window and its controls share. Controls hold it by shared pointer:
// the core may destroy a window before or after its controls.

#include <memory>
#include <string>
#include <vector>

#include "frontends/common/trace_file.h"
#include "frontends/win32/win32_api.h"
#include "platform/controls.h"

namespace zindle {

class PaintedControl;
class ChildControl;
class Win32PictureBox;

struct WindowState {
    WindowState(TraceFile& traceFile, std::string windowName, WindowKind windowKind)
        : trace(traceFile), name(std::move(windowName)), kind(windowKind) {}

    TraceFile& trace;
    std::string name;
    WindowKind kind;
    HWND hwnd = nullptr;
    int dpi = 96;
    Colour backColour = GetSysColor(COLOR_BTNFACE);
    // Controls without a window of their own, painted by the window in
    // creation order (pictures first, then lines, then labels).
    std::vector<PaintedControl*> painted;
    std::vector<ChildControl*> children;
    // The picture the mouse belongs to while a button is down, and the one
    // the core gave the capture to.
    Win32PictureBox* pressed = nullptr;
    Win32PictureBox* capture = nullptr;
    HWND focus = nullptr;
    int nextChildId = 100;

    int ToPixels(int twips) const { return MulDiv(twips, dpi, 1440); }
    int ToTwips(int pixels) const { return MulDiv(pixels, 1440, dpi); }
    void Invalidate(const RECT& area) const {
        if (hwnd) InvalidateRect(hwnd, &area, FALSE);
    }
};

// Position and size in twips, visibility, for every kind of control.
struct ControlFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;

    RECT Pixels(const WindowState& window) const {
        const int x = window.ToPixels(left);
        const int y = window.ToPixels(top);
        return {x, y, x + window.ToPixels(width), y + window.ToPixels(height)};
    }
};

// A control the window paints (labels, lines, pictures).
class PaintedControl {
public:
    virtual ~PaintedControl() = default;
    virtual int Layer() const = 0;
    virtual void Paint(HDC dc) const = 0;
};

// A control with a window of its own (text boxes, check boxes, buttons).
class ChildControl {
public:
    virtual ~ChildControl() = default;
    virtual HWND ChildWindow() const = 0;
    // After a DPI change: the frame and font again, at the new DPI.
    virtual void Relayout() = 0;
    // WM_COMMAND from the control.
    virtual void Command(int /*code*/) {}
    // WM_CTLCOLOR*: the brush to paint with, or null for the default.
    virtual HBRUSH Colours(HDC /*dc*/) { return nullptr; }
};

// A font of the core's description at a DPI; owns the handle.
class FontHandle {
public:
    FontHandle() = default;
    ~FontHandle() { Reset(); }
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;
    HFONT Get() const { return font_; }
    void Create(const FontSpec& wanted, int dpi);

private:
    void Reset();
    HFONT font_ = nullptr;
};

}  // namespace zindle
