// Sliding the window into place, and the auto-hide machinery.

#include <algorithm>

#include "appbar/appbar_geometry.h"
#include "appbar/tappbar.h"

namespace zindle {

using namespace appbar_geometry;

namespace {

// About sixty frames a second.
constexpr std::uint32_t kSlideFramePause = 15;

// from + (to - from) * elapsed / duration, truncated toward from.
std::int64_t Step(std::int64_t from, std::int64_t to, std::int64_t elapsed, std::int64_t duration) {
    return from - (from - to) * elapsed / duration;
}

}  // namespace

// The thread sleeps between frames rather than spinning a core; the tick
// count alone decides where each frame goes, and the unsigned difference
// keeps that right across the counter's wrap. The window always ends exactly
// on target.
void TAppBar::SlideWindow(const RectPx& target) {
    const bool dragFullWindows = platform_.windowManager.DragFullWindows();
    const RectPx current = host_->GetWindowRect();
    const std::uint32_t duration =
        static_cast<std::uint32_t>(std::clamp(block_.slideTime, 0, kMaxSlideMilliseconds));
    if (!(current == target) && block_.slideEffect && dragFullWindows) {
        const std::int64_t fromWidth = Width(current);
        const std::int64_t fromHeight = Height(current);
        const std::int64_t toWidth = Width(target);
        const std::int64_t toHeight = Height(target);
        const std::uint32_t start = platform_.system.TickCount();
        for (std::uint32_t elapsed = 0; elapsed < duration; elapsed = platform_.system.TickCount() - start) {
            host_->SetWindowPos(kHwndTop, ClampToInt(Step(current.left, target.left, elapsed, duration)),
                                ClampToInt(Step(current.top, target.top, elapsed, duration)),
                                NonNegative(Step(fromWidth, toWidth, elapsed, duration)),
                                NonNegative(Step(fromHeight, toHeight, elapsed, duration)),
                                kSwpNoZOrder | kSwpNoActivate | kSwpFrameChanged);
            host_->UpdateWindow();
            const std::uint32_t painted = platform_.system.TickCount() - start;
            if (painted < duration) platform_.system.Sleep(std::min(kSlideFramePause, duration - painted));
        }
    }
    host_->SetWindowPos(kHwndTop, target.left, target.top, Width(target), Height(target),
                        kSwpNoZOrder | kSwpNoActivate);
}

int TAppBar::GetAutoHideEdge() {
    for (int edge = kEdgeLeft; edge <= kEdgeBottom; ++edge) {
        if (static_cast<std::uintptr_t>(SendAppBarMessage(kAbmGetAutoHideBar, edge, 0, nullptr)) ==
            host_->Handle()) {
            return edge;
        }
    }
    return kEdgeNone;
}

// A hidden bar keeps a sliver of twice the border width on its edge.
bool TAppBar::AutoHideRect(bool show, RectPx& rect) {
    const int edge = Edge();
    if (!block_.autoHide || edge < kEdgeLeft || edge > kEdgeBottom) return false;
    WindowManager& manager = platform_.windowManager;
    const int width = Width(rect);
    const int height = Height(rect);
    std::int64_t x = 0;
    std::int64_t y = 0;
    if (show) {
        if (edge == kEdgeRight) x = std::int64_t{ScreenWidth()} - width;
        if (edge == kEdgeBottom) y = std::int64_t{ScreenHeight()} - height;
    } else {
        const std::int64_t borderX = 2 * std::int64_t{manager.GetSystemMetrics(kSmCxBorder)};
        const std::int64_t borderY = 2 * std::int64_t{manager.GetSystemMetrics(kSmCyBorder)};
        switch (edge) {
            case kEdgeLeft: x = borderX - width; break;
            case kEdgeTop: y = borderY - height; break;
            case kEdgeRight: x = ScreenWidth() - borderX; break;
            default: y = ScreenHeight() - borderY; break;
        }
    }
    rect.left = ClampToInt(x);
    rect.top = ClampToInt(y);
    rect.right = Add(rect.left, width);
    rect.bottom = Add(rect.top, height);
    return true;
}

void TAppBar::ShowHiddenBar(bool show) {
    RectPx rect = host_->GetWindowRect();
    autoHideShown_ = true;
    if (AutoHideRect(show, rect)) {
        autoHideShown_ = show;
        SlideWindow(rect);
    }
}

}  // namespace zindle
