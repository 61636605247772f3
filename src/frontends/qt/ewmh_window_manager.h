#pragma once
// The shell's appbar protocol over EWMH. A docked bar reserves its strip
// with _NET_WM_STRUT_PARTIAL and _NET_WM_STRUT; a proposed rectangle moves
// off the strips of docks mapped before the bar (the client list keeps the
// mapping order, so two bars on one edge do not push each other back and
// forth); one auto-hide bar per edge is announced on the root window, so
// that every Zindle bar on the display agrees. The work area is
// _NET_WORKAREA. Rectangles the core sees are in Qt's logical pixels; X's
// are in device pixels. Qt keeps each screen's top-left corner where X has
// it and scales from there, so a conversion goes through the screen the
// rectangle lies on.

#include <QObject>
#include <QTimer>

class QScreen;

#include <map>
#include <optional>

#include "frontends/qt/x11_display.h"
#include "platform/window_manager.h"

namespace zindle {

class QtWindowFactory;

class EwmhWindowManager final : public WindowManager {
public:
    // display may be null (no X): then no strip is reserved.
    EwmhWindowManager(QtWindowFactory& windows, X11Display* display);

    std::intptr_t SHAppBarMessage(unsigned message, AppBarData& data) override;
    int GetSystemMetrics(int index) override;
    RectPx WorkArea() override;
    // Qt's screens: on X the RandR monitors (or outputs), named as RandR names them.
    std::vector<Monitor> Monitors() override;
    bool DragFullWindows() override { return true; }
    PointPx GetMessagePos() override;
    bool IsKeyDown(int virtualKey) override;
    std::uintptr_t GetActiveWindow() override;
    int TwipsPerPixelX() override { return 15; }
    int TwipsPerPixelY() override { return 15; }

    // The strip a registered bar reserves, or nullopt.
    std::optional<RectPx> StripOf(std::uintptr_t window) const;

    // From the X event filter: a property of the root window or of the
    // active window changed.
    void PropertyChanged(xcb_window_t window, xcb_atom_t atom);
    // A screen came, went, moved, changed size or became primary.
    void ScreenChanged();

    // The strut values (the 12 of _NET_WM_STRUT_PARTIAL) that reserve strip
    // (logical pixels on a screen of that scale) on a root window of rootWidth × rootHeight device
    // pixels; all zero for an empty strip or an edge that is not one.
    // A screen as the conversions need it: its device pixels per logical
    // one, and its top-left corner (the same in logical and device pixels).
    // Its device rectangle, when known, bounds every conversion: a logical
    // size rounded up at a fractional scale would reach one pixel past it.
    struct ScreenScale {
        ScreenScale(double devicePerLogical = 1.0, int x = 0, int y = 0)
            : ratio(devicePerLogical), originX(x), originY(y) {}
        double ratio;
        int originX;
        int originY;
        std::optional<RectPx> device;
        // The screen in logical pixels.
        RectPx logical;
    };
    static std::vector<std::uint32_t> StrutFor(unsigned edge, const RectPx& strip, const ScreenScale& scale,
                                               int rootWidth, int rootHeight);
    static RectPx ToDevice(const RectPx& logical, const ScreenScale& screen);
    // The scale of the screen a rectangle in logical pixels lies on; its
    // device rectangle from RandR when display is given.
    static ScreenScale ScaleAtLogical(const RectPx& rect, X11Display* display);
    static RectPx ToLogical(const RectPx& device, const ScreenScale& screen);
    // rect moved inward off the strut of another dock on edge (all in device pixels).
    static void MoveOffStrut(unsigned edge, const std::vector<std::uint32_t>& strut, int rootWidth, int rootHeight,
                             RectPx& rect);

private:
    struct Bar {
        unsigned callbackMessage = 0;
        unsigned edge = 0;
        RectPx strip;
        std::vector<std::uint32_t> strut;
    };

    void WatchScreen(QScreen* screen);
    void QueryPos(std::uintptr_t window, unsigned edge, RectPx& rect);
    void SetStrut(std::uintptr_t window, Bar& bar, const std::vector<std::uint32_t>& strut);
    std::intptr_t AutoHideBar(unsigned edge);
    bool SetAutoHideBar(unsigned edge, std::uintptr_t window, bool claim);
    // Sends a notification to each registered bar, after the current event.
    void Notify(unsigned code, std::intptr_t lParam);
    void WatchActiveWindow();

    QtWindowFactory& windows_;
    X11Display* display_;
    std::map<std::uintptr_t, Bar> bars_;
    std::vector<std::uint32_t> lastWorkArea_;
    xcb_window_t activeWindow_ = XCB_WINDOW_NONE;
    bool fullScreen_ = false;
    QObject context_;
    QTimer settledLayout_;
};

}  // namespace zindle
