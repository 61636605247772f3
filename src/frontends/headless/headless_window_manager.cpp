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
RectPx StripAtEdge(unsigned edge, int thickness, int screenWidth, int screenHeight) {
    thickness = std::clamp(thickness, 0, edge == 0 || edge == 2 ? screenWidth : screenHeight);
    RectPx strip{0, 0, screenWidth, screenHeight};
    switch (edge) {
        case 0: strip.right = thickness; break;
        case 1: strip.bottom = thickness; break;
        case 2: strip.left = screenWidth - thickness; break;
        default: strip.top = screenHeight - thickness; break;
    }
    return strip;
}

}  // namespace

HeadlessWindowManager::HeadlessWindowManager(HeadlessWindowFactory& windows) : windows_(windows) {}

std::uintptr_t HeadlessWindowManager::GetActiveWindow() { return windows_.ActiveWindow(); }

int HeadlessWindowManager::GetSystemMetrics(int index) {
    return StandardSystemMetric(index, screenWidth_, screenHeight_);
}

RectPx HeadlessWindowManager::WorkArea() {
    RectPx area{0, 0, screenWidth_, screenHeight_};
    for (const auto& [window, bar] : bars_) {
        if (IsEmpty(bar.strip)) continue;
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

// The shell keeps bars on one edge from overlapping: a rectangle asked for
// on an edge is moved inward past the strips the earlier bars hold there.
void HeadlessWindowManager::AdjustOffEarlierBars(std::uint64_t arrival, unsigned edge, RectPx& rect) const {
    for (const auto& [other, bar] : bars_) {
        if (bar.arrival >= arrival || bar.edge != edge || IsEmpty(bar.strip)) continue;
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
        RectPx strip = StripAtEdge(bar->edge, bar->thickness, screenWidth_, screenHeight_);
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
    screenWidth_ = std::max(width, 1);
    screenHeight_ = std::max(height, 1);
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
