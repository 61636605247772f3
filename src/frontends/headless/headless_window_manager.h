#pragma once
// A simulated desktop shell for the headless front end and the tests: its
// monitors (one 1024 x 768 screen until told otherwise), the appbars registered
// on them and their strips, each monitor's work area, one auto-hide bar per
// edge, and the notifications the shell sends. Bars on one edge of one monitor
// stack in the order they arrived: a bar's strip lies inward of the strips of
// the bars that came before it, and a later bar never pushes an earlier one.
// Other programs' bars sit on the primary. When a bar gives up its strip or
// changes it, the other programs' bars take their places again (closing a gap
// it left, as they do on Windows), and the program's other bars are told.

#include <map>
#include <optional>
#include <set>
#include <vector>

#include "frontends/headless/headless_controls.h"
#include "platform/window_manager.h"

namespace zindle {

class HeadlessWindowManager final : public WindowManager {
public:
    explicit HeadlessWindowManager(HeadlessWindowFactory& windows);

    std::intptr_t SHAppBarMessage(unsigned message, AppBarData& data) override;
    int GetSystemMetrics(int index) override;
    RectPx WorkArea() override;
    std::vector<Monitor> Monitors() override;
    bool DragFullWindows() override { return dragFullWindows_; }
    PointPx GetMessagePos() override { return cursor_; }
    bool IsKeyDown(int virtualKey) override { return keysDown_.count(virtualKey) > 0; }
    std::uintptr_t GetActiveWindow() override;
    int TwipsPerPixelX() override { return kHeadlessTwipsPerPixel; }
    int TwipsPerPixelY() override { return kHeadlessTwipsPerPixel; }

    // What the script and the tests change. The screen becomes one monitor
    // of that size; a layout's monitors are named and placed as given, the
    // one marked primary (else the first) being the primary. Either tells
    // the registered bars (ABN_POSCHANGED). An empty layout is refused.
    void SetScreenSize(int width, int height);
    bool SetMonitors(std::vector<Monitor> layout);
    void SetDragFullWindows(bool on) { dragFullWindows_ = on; }
    void SetCursor(PointPx point) { cursor_ = point; }
    void SetKeyDown(int virtualKey, bool down);
    // Another program's bar takes a strip of `thickness` pixels on an edge,
    // inward of the bars already there; it keeps to that thickness when it
    // takes its place again.
    void AddOtherBar(unsigned edge, int thickness);
    // A full-screen application opens (true) or closes on the screen.
    void SetFullScreenApp(bool open);
    // The shell restarts: it forgets the program's bars, and the other
    // programs' bars take their places again without them.
    void Restart();

    // The strip a registered window holds, or nullopt when it holds none
    // (not registered, or registered without a strip).
    std::optional<RectPx> StripOf(std::uintptr_t window) const;

private:
    struct Bar {
        unsigned callbackMessage = 0;
        unsigned edge = 0;
        RectPx strip;  // empty when it reserves none
        bool ours = true;
        std::uint64_t arrival = 0;
        int thickness = 0;  // another program's bar: the strip it asks for
    };

    const Monitor& Primary() const;
    // The monitor a rectangle lies on: the one holding its centre, or the nearest.
    std::size_t MonitorOf(const RectPx& rect) const;
    RectPx WorkAreaOf(std::size_t monitor) const;
    void LayoutChanged();
    // Moves rect inward past the strips of the bars on edge that arrived before `arrival`.
    void AdjustOffEarlierBars(std::uint64_t arrival, unsigned edge, RectPx& rect) const;
    std::uint64_t ArrivalOn(const Bar& bar, unsigned edge) const;
    // The other programs' bars, in the order they arrived, ask for their
    // strips again from their screen edges, as each would on ABN_POSCHANGED.
    void PlaceOtherBars();
    // Sends a notification to every registered window of ours except `except`.
    void Notify(unsigned code, std::intptr_t lParam, std::uintptr_t except);

    HeadlessWindowFactory& windows_;
    std::vector<Monitor> monitors_;
    bool dragFullWindows_ = true;
    PointPx cursor_;
    std::set<int> keysDown_;
    std::map<std::uintptr_t, Bar> bars_;
    std::map<unsigned, std::uintptr_t> autoHideBars_;
    std::uintptr_t nextOtherBar_ = 0x7000;
    std::uint64_t nextArrival_ = 0;
};

}  // namespace zindle
