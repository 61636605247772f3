// The appbar's window procedure: the shell's notifications, activation,
// position changes, and the user moving and sizing the window.

#include <cstdlib>

#include "appbar/appbar_geometry.h"
#include "appbar/monitor_choice.h"
#include "appbar/tappbar.h"

namespace zindle {

using namespace appbar_geometry;

namespace {

// A message result that no handler has set yet.
constexpr std::intptr_t kNotHandled = -1;

// Hit-test codes.
constexpr std::intptr_t kHtLeft = 10;
constexpr std::intptr_t kHtRight = 11;
constexpr std::intptr_t kHtTop = 12;
constexpr std::intptr_t kHtTopLeft = 13;
constexpr std::intptr_t kHtTopRight = 14;
constexpr std::intptr_t kHtBottom = 15;
constexpr std::intptr_t kHtBottomLeft = 16;
constexpr std::intptr_t kHtBottomRight = 17;
constexpr std::intptr_t kHtBorder = 18;

// The side of the window being dragged in WM_SIZING.
constexpr std::uintptr_t kWmszLeft = 1;
constexpr std::uintptr_t kWmszRight = 2;
constexpr std::uintptr_t kWmszTop = 3;
constexpr std::uintptr_t kWmszTopLeft = 4;
constexpr std::uintptr_t kWmszTopRight = 5;
constexpr std::uintptr_t kWmszBottom = 6;
constexpr std::uintptr_t kWmszBottomLeft = 7;
constexpr std::uintptr_t kWmszBottomRight = 8;

// A step of 0 forbids sizing in its direction; so does a negative one,
// which a damaged state block may hold.
bool Sizable(int step) { return step > 0; }

// The size the user drags to, snapped to base + a multiple of step.
int Snap(int size, int base, int step) {
    if (!Sizable(step)) return size;
    const std::int64_t over = std::int64_t{size} - base + step / 2;
    return NonNegative(over / step * step + base);
}

// A cursor position packed into an lParam. The coordinates are signed, so a
// position left of or above the primary screen stays there.
PointPx PointFromLParam(std::intptr_t lParam) {
    const auto packed = static_cast<std::uint32_t>(lParam);
    return {static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>(packed >> 16)};
}

bool IsSideEdge(int state) { return state == kEdgeLeft || state == kEdgeRight; }
bool IsTopOrBottomEdge(int state) { return state == kEdgeTop || state == kEdgeBottom; }
bool IsDockedEdge(int state) { return state >= kEdgeLeft && state <= kEdgeBottom; }

// The screen is cut into four triangles meeting at its centre; on the
// diagonals the side edges win.
int TriangleEdge(const RectPx& screen, PointPx point) {
    const std::int64_t width = Width(screen);
    const std::int64_t height = Height(screen);
    const std::int64_t dx = point.x - (screen.left + width / 2);
    const std::int64_t dy = point.y - (screen.top + height / 2);
    if (std::llabs(dy) * width <= std::llabs(dx) * height) return dx < 0 ? kEdgeLeft : kEdgeRight;
    return dy < 0 ? kEdgeTop : kEdgeBottom;
}

}  // namespace

void TAppBar::HookAppBarWindow(NativeWindow& window) {
    auto link = std::make_shared<HookLink>();
    link->appBar = this;
    link->previous = window.SetWindowProc(
        [link](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) -> std::intptr_t {
            if (TAppBar* appBar = link->appBar) {
                return appBar->AppBarWindowProc(link->previous, message, wParam, lParam);
            }
            return link->previous ? link->previous(message, wParam, lParam) : 0;
        });
    hook_ = std::move(link);
}

void TAppBar::UnhookAppBarWindow() {
    host_->SetWindowProc(hook_->previous);
    hook_->appBar = nullptr;
    hook_.reset();
}

std::intptr_t TAppBar::AppBarWindowProc(const WindowProc& previous, unsigned message, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
    std::intptr_t result = kNotHandled;
    switch (message) {
        case kWmGetMinMaxInfo:
            if (lParam != 0) {
                OnGetMinMaxInfo(*reinterpret_cast<MinMaxInfo*>(lParam));
                result = 0;
            }
            break;
        case kWmNcMouseMove: ShowHiddenBar(true); break;
        case kWmTimer: OnAutoHideTimer(); break;
        case kWmSizing:
            if (lParam != 0) {
                OnSizing(wParam, *reinterpret_cast<RectPx*>(lParam));
                result = 0;
            }
            break;
        case kWmMoving:
            if (lParam != 0) {
                OnMoving(*reinterpret_cast<RectPx*>(lParam));
                result = 0;
            }
            break;
        case kWmEnterSizeMove:
            dragMonitor_ = DockingMonitor();
            proposedState_ = block_.state;
            result = 0;
            break;
        case kWmExitSizeMove:
            OnExitSizeMove();
            result = 0;
            break;
        case kAppBarCallbackMessage:
            OnAppBarNotify(wParam, lParam);
            result = 0;
            break;
        default: break;
    }
    if (result == kNotHandled) result = previous ? previous(message, wParam, lParam) : 0;
    // A handler or the procedures behind may have detached the object.
    if (!host_) return result;
    switch (message) {
        case kWmDpiChanged:
            // The strip is a different number of the screen's pixels now.
            UpdateBar();
            break;
        case kWmActivate:
            if (wParam == 0) ShowHiddenBar(false);
            SendAppBarMessage(kAbmActivate, kEdgeFloat, 0, nullptr);
            break;
        case kWmWindowPosChanged: SendAppBarMessage(kAbmWindowPosChanged, kEdgeFloat, 0, nullptr); break;
        case kWmNcHitTest: result = OnNcHitTest(result, lParam); break;
        case kWmDisplayChange: RedockAfterDisplayChange(); break;
        case kWmSettingChange:
            if (wParam == kSpiSetWorkArea) RedockAfterDisplayChange();
            break;
        default: break;
    }
    return result;
}

void TAppBar::OnAppBarNotify(std::uintptr_t code, std::intptr_t lParam) {
    switch (code) {
        case kAbnPosChanged:
            if (block_.state != kEdgeFloat && !block_.autoHide) UpdateBar();
            break;
        case kAbnFullScreenApp:
            fullScreen_ = lParam != 0;
            UpdateBar();
            break;
        default: break;
    }
}

// A monitor came, went, moved or changed size, or the work area changed: a
// docked bar takes its strip again on the monitor it belongs on now. A bar
// that reserves no strip (auto-hide) moves too, as its sliver must stay on
// the monitor's edge. A change that our own docking brought about has been
// dealt with by it.
void TAppBar::RedockAfterDisplayChange() {
    if (!docking_ && IsDockedEdge(block_.state)) UpdateBar();
}

void TAppBar::OnGetMinMaxInfo(MinMaxInfo& info) {
    const int edge = Edge();
    if (edge == kEdgeFloat) {
        info.minTrackSize = {NonNegative(block_.minFloatWidth), NonNegative(block_.minFloatHeight)};
        info.maxTrackSize = {NonNegative(block_.maxFloatWidth), NonNegative(block_.maxFloatHeight)};
        return;
    }
    info.minTrackSize = {NonNegative(block_.minDockedWidth), NonNegative(block_.minDockedHeight)};
    const RectPx screen = DockingMonitor().bounds;
    info.maxTrackSize = {Width(screen), Height(screen)};
    if (!IsTopOrBottomEdge(edge)) info.maxTrackSize.x = NonNegative(block_.maxDockedWidth);
    if (!IsSideEdge(edge)) info.maxTrackSize.y = NonNegative(block_.maxDockedHeight);
}

void TAppBar::OnSizing(std::uintptr_t side, RectPx& rect) {
    const bool floating = Edge() == kEdgeFloat;
    const int baseWidth = NonNegative(floating ? block_.minFloatWidth : block_.minDockedWidth);
    const int baseHeight = NonNegative(floating ? block_.minFloatHeight : block_.minDockedHeight);
    const int width = Snap(Width(rect), baseWidth, block_.widthStep);
    const int height = Snap(Height(rect), baseHeight, block_.heightStep);
    switch (side) {
        case kWmszLeft:
        case kWmszTopLeft:
        case kWmszBottomLeft: rect.left = Add(rect.right, -std::int64_t{width}); break;
        case kWmszRight:
        case kWmszTopRight:
        case kWmszBottomRight: rect.right = Add(rect.left, width); break;
        default: break;
    }
    switch (side) {
        case kWmszTop:
        case kWmszTopLeft:
        case kWmszTopRight: rect.top = Add(rect.bottom, -std::int64_t{height}); break;
        case kWmszBottom:
        case kWmszBottomLeft:
        case kWmszBottomRight: rect.bottom = Add(rect.top, height); break;
        default: break;
    }
}

// While the user drags the window, it follows the strip under the cursor,
// on whichever monitor that is; leaving the strips it takes its floating
// size, hanging from the cursor. A point in a side triangle of another
// monitor proposes no edge there, so the bar stays on its own monitor.
void TAppBar::OnMoving(RectPx& rect) {
    WindowManager& manager = platform_.windowManager;
    const PointPx point = manager.GetMessagePos();
    const Monitor under = MonitorAt(manager.Monitors(), point).value_or(DockingMonitor());
    const int proposed = CalcProposedState(point, under);
    if (IsDockedEdge(proposed) && proposed == TriangleEdge(under.bounds, point)) dragMonitor_ = under;
    if (proposedState_ != kEdgeFloat && proposed == kEdgeFloat) {
        const int width = NonNegative(std::int64_t{block_.floatRight} - block_.floatLeft);
        const int height = NonNegative(std::int64_t{block_.floatBottom} - block_.floatTop);
        rect.left = Add(point.x, -std::int64_t{width / 2});
        rect.top = point.y;
        rect.right = Add(rect.left, width);
        rect.bottom = Add(rect.top, height);
    }
    proposedState_ = proposed;
    if (IsDockedEdge(proposed)) rect = QueryDockedRect(proposed);
    UpdateCaption(true, proposed);
}

// Commits a move or a size. Without a move in progress (no
// WM_ENTERSIZEMOVE first) there is nothing to commit, and the bar stays
// registered where it is. A bar docked on another monitor remembers that
// monitor as its choice.
void TAppBar::OnExitSizeMove() {
    const int proposed = proposedState_;
    if (proposed == kEdgeNone) return;
    const Monitor target = DockingMonitor();
    proposedState_ = kEdgeNone;
    dragMonitor_.reset();
    if (IsDockedEdge(proposed)) {
        monitorChoice_ = ChoiceNaming(platform_.windowManager.Monitors(), target, monitorChoice_);
    }
    const RectPx rect = host_->GetWindowRect();
    if (proposed == block_.state) {
        if (IsSideEdge(proposed)) block_.dockedWidth = Width(rect);
        if (IsTopOrBottomEdge(proposed)) block_.dockedHeight = Height(rect);
    }
    if (proposed == kEdgeFloat) {
        if (block_.state != kEdgeFloat) {
            const RectPx work = target.workArea;
            int width = Width(rect);
            int height = Height(rect);
            if (width >= Width(work) || height >= Height(work)) {
                width = NonNegative(std::int64_t{block_.floatRight} - block_.floatLeft);
                height = NonNegative(std::int64_t{block_.floatBottom} - block_.floatTop);
            }
            block_.floatLeft = rect.left;
            block_.floatTop = rect.top;
            block_.floatRight = Add(rect.left, width);
            block_.floatBottom = Add(rect.top, height);
        } else {
            block_.floatLeft = rect.left;
            block_.floatTop = rect.top;
            block_.floatRight = rect.right;
            block_.floatBottom = rect.bottom;
        }
    }
    SetEdge(proposed);
}

// An auto-hide bar slides out once the cursor is well clear of it and
// another window is active.
void TAppBar::OnAutoHideTimer() {
    WindowManager& manager = platform_.windowManager;
    if (manager.GetActiveWindow() == host_->Handle()) return;
    const PointPx cursor = manager.GetMessagePos();
    const RectPx rect = host_->GetWindowRect();
    const std::int64_t marginX = 2 * std::int64_t{manager.GetSystemMetrics(kSmCxDoubleClk)};
    const std::int64_t marginY = 2 * std::int64_t{manager.GetSystemMetrics(kSmCyDoubleClk)};
    const bool inside = cursor.x >= rect.left - marginX && cursor.x < rect.right + marginX &&
                        cursor.y >= rect.top - marginY && cursor.y < rect.bottom + marginY;
    if (!inside) ShowHiddenBar(false);
}

// Only the sizing codes change. A floating window cannot be sized in a
// direction whose step forbids it; a docked one only on its inner edge.
std::intptr_t TAppBar::OnNcHitTest(std::intptr_t code, std::intptr_t lParam) {
    if (code < kHtLeft || code > kHtBottomRight) return code;
    const int state = Edge();
    if (state == kEdgeFloat) {
        const bool fixedWidth = !Sizable(block_.widthStep);
        const bool fixedHeight = !Sizable(block_.heightStep);
        switch (code) {
            case kHtLeft:
            case kHtRight: return fixedWidth ? kHtBorder : code;
            case kHtTop:
            case kHtBottom: return fixedHeight ? kHtBorder : code;
            default: break;
        }
        const bool topCorner = code == kHtTopLeft || code == kHtTopRight;
        const bool leftCorner = code == kHtTopLeft || code == kHtBottomLeft;
        if (fixedWidth && fixedHeight) return kHtBorder;
        if (fixedWidth) return topCorner ? kHtTop : kHtBottom;
        if (fixedHeight) return leftCorner ? kHtLeft : kHtRight;
        return code;
    }
    if (state < kEdgeLeft || state > kEdgeBottom) return code;
    if (!Sizable(IsSideEdge(state) ? block_.widthStep : block_.heightStep)) return kHtBorder;
    const PointPx cursor = PointFromLParam(lParam);
    const RectPx client = host_->GetClientRect();
    const PointPx topLeft = host_->ClientToScreen({client.left, client.top});
    const PointPx bottomRight = host_->ClientToScreen({client.right, client.bottom});
    switch (state) {
        case kEdgeLeft:
            if (cursor.x >= bottomRight.x) return kHtRight;
            break;
        case kEdgeTop:
            if (cursor.y >= bottomRight.y) return kHtBottom;
            break;
        case kEdgeRight:
            if (cursor.x < topLeft.x) return kHtLeft;
            break;
        default:
            if (cursor.y < topLeft.y) return kHtTop;
            break;
    }
    return kHtBorder;
}

int TAppBar::CalcProposedState(PointPx point, const Monitor& monitor) {
    if ((block_.allowFlags & kAllowFloat) && platform_.windowManager.IsKeyDown(kVkControl)) return kEdgeFloat;
    return GetEdgeFromPoint(block_.allowFlags, point, monitor);
}

// The edge of the monitor under the point whose triangle holds it. Inside
// the monitor's work area (less a scroll bar's width) a window that may
// float floats.
int TAppBar::GetEdgeFromPoint(int flags, PointPx point, const Monitor& monitor) {
    constexpr int kAnyEdge = kAllowLeft | kAllowRight | kAllowTop | kAllowBottom;
    if (flags & kAllowFloat) {
        WindowManager& manager = platform_.windowManager;
        const RectPx& work = monitor.workArea;
        const std::int64_t insetX = manager.GetSystemMetrics(kSmCxVScroll);
        const std::int64_t insetY = manager.GetSystemMetrics(kSmCyHScroll);
        const bool inside = point.x >= work.left + insetX && point.x <= work.right - insetX &&
                            point.y >= work.top + insetY && point.y <= work.bottom - insetY;
        if (inside || (flags & kAnyEdge) == 0) return kEdgeFloat;
    }
    const int candidate = TriangleEdge(monitor.bounds, point);
    const int bit = candidate == kEdgeLeft    ? kAllowLeft
                    : candidate == kEdgeTop   ? kAllowTop
                    : candidate == kEdgeRight ? kAllowRight
                                              : kAllowBottom;
    if (flags & bit) return candidate;
    return (flags & kAllowFloat) ? kEdgeFloat : block_.state;
}

}  // namespace zindle
