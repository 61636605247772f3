#include "frontends/headless/headless_window_manager.h"

#include <algorithm>

namespace zindle {

namespace {

bool IsEmpty(const RectPx& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

// Whether a bar holds this strip on this edge already; all empty strips are the same: none.
bool HoldsStrip(const auto& bar, unsigned edge, const RectPx& strip) {
    if (IsEmpty(bar.strip) || IsEmpty(strip)) return IsEmpty(bar.strip) == IsEmpty(strip);
    return bar.edge == edge && bar.strip == strip;
}

// A strip of `thickness` pixels along an edge of a screen, before other bars are made room for.
RectPx StripAtEdge(unsigned edge, int thickness, const RectPx& screen) {
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    thickness = std::clamp(thickness, 0, edge == 0 || edge == 2 ? width : height);
    RectPx strip = screen;
    switch (edge) {
        case 0: strip.right = screen.left + thickness; break;
        case 1: strip.bottom = screen.top + thickness; break;
        case 2: strip.left = screen.right - thickness; break;
        default: strip.top = screen.bottom - thickness; break;
    }
    return strip;
}

}  // namespace

HeadlessWindowManager::HeadlessWindowManager(HeadlessWindowFactory& windows)
    : windows_(windows), monitors_{Monitor{"DISPLAY1", {0, 0, 1024, 768}, {}, true}} {}

std::uintptr_t HeadlessWindowManager::GetActiveWindow() { return windows_.ActiveWindow(); }

const Monitor& HeadlessWindowManager::Primary() const {
    const auto primary = std::find_if(monitors_.begin(), monitors_.end(), [](const Monitor& m) { return m.primary; });
    return primary != monitors_.end() ? *primary : monitors_.front();
}

std::size_t HeadlessWindowManager::MonitorOf(const RectPx& rect) const {
    const PointPx centre{static_cast<std::int32_t>((std::int64_t{rect.left} + rect.right) / 2),
                         static_cast<std::int32_t>((std::int64_t{rect.top} + rect.bottom) / 2)};
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < monitors_.size(); ++i) {
        if (DistanceSquared(monitors_[i].bounds, centre) < DistanceSquared(monitors_[nearest].bounds, centre)) {
            nearest = i;
        }
    }
    return nearest;
}

int HeadlessWindowManager::GetSystemMetrics(int index) {
    const RectPx& screen = Primary().bounds;
    return StandardSystemMetric(index, screen.right - screen.left, screen.bottom - screen.top);
}

RectPx HeadlessWindowManager::WorkArea() { return WorkAreaOf(MonitorOf(Primary().bounds)); }

std::vector<Monitor> HeadlessWindowManager::Monitors() {
    std::vector<Monitor> monitors = monitors_;
    for (std::size_t i = 0; i < monitors.size(); ++i) monitors[i].workArea = WorkAreaOf(i);
    return monitors;
}

// The monitor less the strips of the bars on it.
RectPx HeadlessWindowManager::WorkAreaOf(std::size_t monitor) const {
    RectPx area = monitors_[monitor].bounds;
    for (const auto& [window, bar] : bars_) {
        if (IsEmpty(bar.strip) || MonitorOf(bar.strip) != monitor) continue;
        switch (bar.edge) {
            case 0: area.left = std::max(area.left, bar.strip.right); break;
            case 1: area.top = std::max(area.top, bar.strip.bottom); break;
            case 2: area.right = std::min(area.right, bar.strip.left); break;
            case 3: area.bottom = std::min(area.bottom, bar.strip.top); break;
            default: break;
        }
    }
    return area;
}

// The shell keeps bars on one edge of a monitor from overlapping: a
// rectangle asked for on an edge is moved inward past the strips the earlier
// bars hold there.
void HeadlessWindowManager::AdjustOffEarlierBars(std::uint64_t arrival, unsigned edge, RectPx& rect) const {
    const std::size_t monitor = MonitorOf(rect);
    for (const auto& [other, bar] : bars_) {
        if (bar.arrival >= arrival || bar.edge != edge || IsEmpty(bar.strip)) continue;
        if (MonitorOf(bar.strip) != monitor) continue;
        const int thickness = (edge == 0 || edge == 2) ? rect.right - rect.left : rect.bottom - rect.top;
        switch (edge) {
            case 0:
                rect.left = std::max(rect.left, bar.strip.right);
                rect.right = rect.left + thickness;
                break;
            case 1:
                rect.top = std::max(rect.top, bar.strip.bottom);
                rect.bottom = rect.top + thickness;
                break;
            case 2:
                rect.right = std::min(rect.right, bar.strip.left);
                rect.left = rect.right - thickness;
                break;
            case 3:
                rect.bottom = std::min(rect.bottom, bar.strip.top);
                rect.top = rect.bottom - thickness;
                break;
            default: break;
        }
    }
}

// The place in the queue on an edge: kept while the bar holds a strip there,
// the back of the queue when it comes from elsewhere.
std::uint64_t HeadlessWindowManager::ArrivalOn(const Bar& bar, unsigned edge) const {
    return bar.edge == edge && !IsEmpty(bar.strip) ? bar.arrival : nextArrival_;
}

void HeadlessWindowManager::PlaceOtherBars() {
    std::vector<Bar*> others;
    for (auto& [window, bar] : bars_) {
        if (!bar.ours) others.push_back(&bar);
    }
    std::sort(others.begin(), others.end(), [](const Bar* a, const Bar* b) { return a->arrival < b->arrival; });
    for (Bar* bar : others) {
        RectPx strip = StripAtEdge(bar->edge, bar->thickness, Primary().bounds);
        AdjustOffEarlierBars(bar->arrival, bar->edge, strip);
        bar->strip = strip;
    }
}

void HeadlessWindowManager::Notify(unsigned code, std::intptr_t lParam, std::uintptr_t except) {
    // Collected first: a notified window may register or remove itself.
    std::vector<std::pair<std::uintptr_t, unsigned>> targets;
    for (const auto& [window, bar] : bars_) {
        if (bar.ours && window != except) targets.emplace_back(window, bar.callbackMessage);
    }
    for (const auto& [window, message] : targets) {
        if (HeadlessWindow* target = windows_.FindWindowByHandle(window)) {
            target->SendMessage(message, code, lParam);
        }
    }
}

std::intptr_t HeadlessWindowManager::SHAppBarMessage(unsigned message, AppBarData& data) {
    const auto found = bars_.find(data.window);
    switch (message) {
        case kAbmNew:
            if (found != bars_.end()) return 0;
            bars_[data.window] = Bar{data.callbackMessage, data.edge, {}, true, nextArrival_++};
            return 1;
        case kAbmRemove: {
            if (found == bars_.end()) return 1;
            const bool hadStrip = !IsEmpty(found->second.strip);
            bars_.erase(found);
            std::erase_if(autoHideBars_, [&](const auto& entry) { return entry.second == data.window; });
            if (hadStrip) {
                PlaceOtherBars();
                Notify(kAbnPosChanged, 0, data.window);
            }
            return 1;
        }
        case kAbmQueryPos:
            if (found == bars_.end()) return 0;
            AdjustOffEarlierBars(ArrivalOn(found->second, data.edge), data.edge, data.rect);
            return 1;
        case kAbmSetPos: {
            if (found == bars_.end()) return 0;
            // A bar that comes to an edge queues behind the bars already there.
            found->second.arrival = ArrivalOn(found->second, data.edge);
            if (found->second.arrival == nextArrival_) ++nextArrival_;
            AdjustOffEarlierBars(found->second.arrival, data.edge, data.rect);
            const bool changed = !HoldsStrip(found->second, data.edge, data.rect);
            found->second.edge = data.edge;
            found->second.strip = data.rect;
            if (changed) {
                PlaceOtherBars();
                Notify(kAbnPosChanged, 0, data.window);
            }
            return 1;
        }
        case kAbmGetAutoHideBar: {
            const auto holder = autoHideBars_.find(data.edge);
            return holder == autoHideBars_.end() ? 0 : static_cast<std::intptr_t>(holder->second);
        }
        case kAbmSetAutoHideBar: {
            const auto holder = autoHideBars_.find(data.edge);
            if (data.lParam) {
                if (holder != autoHideBars_.end() && holder->second != data.window) return 0;
                autoHideBars_[data.edge] = data.window;
            } else if (holder != autoHideBars_.end() && holder->second == data.window) {
                autoHideBars_.erase(holder);
            }
            return 1;
        }
        case kAbmActivate:
        case kAbmWindowPosChanged:
            return 1;
        default:
            return 0;
    }
}

void HeadlessWindowManager::SetScreenSize(int width, int height) {
    monitors_ = {Monitor{"DISPLAY1", {0, 0, std::max(width, 1), std::max(height, 1)}, {}, true}};
    LayoutChanged();
}

bool HeadlessWindowManager::SetMonitors(std::vector<Monitor> layout) {
    if (layout.empty()) return false;
    if (std::none_of(layout.begin(), layout.end(), [](const Monitor& m) { return m.primary; })) {
        layout.front().primary = true;
    }
    monitors_ = std::move(layout);
    LayoutChanged();
    return true;
}

void HeadlessWindowManager::LayoutChanged() {
    PlaceOtherBars();
    Notify(kAbnPosChanged, 0, 0);
}

void HeadlessWindowManager::SetKeyDown(int virtualKey, bool down) {
    if (down) keysDown_.insert(virtualKey);
    else keysDown_.erase(virtualKey);
}

void HeadlessWindowManager::AddOtherBar(unsigned edge, int thickness) {
    bars_[nextOtherBar_++] = Bar{0, edge, {}, false, nextArrival_++, std::max(thickness, 0)};
    PlaceOtherBars();
    Notify(kAbnPosChanged, 0, 0);
}

void HeadlessWindowManager::SetFullScreenApp(bool open) { Notify(kAbnFullScreenApp, open ? 1 : 0, 0); }

void HeadlessWindowManager::Restart() {
    std::erase_if(autoHideBars_, [&](const auto& entry) {
        const auto bar = bars_.find(entry.second);
        return bar != bars_.end() && bar->second.ours;
    });
    std::erase_if(bars_, [](const auto& entry) { return entry.second.ours; });
    PlaceOtherBars();
}

std::optional<RectPx> HeadlessWindowManager::StripOf(std::uintptr_t window) const {
    const auto found = bars_.find(window);
    if (found == bars_.end() || IsEmpty(found->second.strip)) return std::nullopt;
    return found->second.strip;
}

}  // namespace zindle
