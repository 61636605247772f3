#include "appbar/monitor_choice.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zindle {

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool Contains(const RectPx& rect, PointPx point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// Monitors from left to right; one above another counts from the top.
std::vector<Monitor> FromTheLeft(std::vector<Monitor> monitors) {
    std::stable_sort(monitors.begin(), monitors.end(), [](const Monitor& a, const Monitor& b) {
        if (a.bounds.left != b.bounds.left) return a.bounds.left < b.bounds.left;
        return a.bounds.top < b.bounds.top;
    });
    return monitors;
}

// 1 and up from all digits; 0 for anything else, including numbers too long to be one.
std::size_t ParseMonitorNumber(const std::string& text) {
    if (text.empty() || text.size() > 4 || !std::all_of(text.begin(), text.end(), [](char c) {
            return c >= '0' && c <= '9';
        })) {
        return 0;
    }
    return static_cast<std::size_t>(std::stoi(text));
}

}  // namespace

bool SameMonitor(const Monitor& a, const Monitor& b) { return a.name == b.name && a.bounds == b.bounds; }

std::optional<Monitor> PrimaryMonitor(const std::vector<Monitor>& monitors) {
    if (monitors.empty()) return std::nullopt;
    for (const Monitor& monitor : monitors) {
        if (monitor.primary) return monitor;
    }
    for (const Monitor& monitor : monitors) {
        if (Contains(monitor.bounds, {0, 0})) return monitor;
    }
    return monitors.front();
}

std::optional<Monitor> ChooseMonitor(const std::vector<Monitor>& monitors, const std::string& choice) {
    if (!choice.empty()) {
        for (const Monitor& monitor : monitors) {
            if (!monitor.name.empty() && EqualIgnoringCase(monitor.name, choice)) return monitor;
        }
        const std::size_t number = ParseMonitorNumber(choice);
        if (number >= 1 && number <= monitors.size()) return FromTheLeft(monitors)[number - 1];
    }
    return PrimaryMonitor(monitors);
}

std::optional<Monitor> MonitorAt(const std::vector<Monitor>& monitors, PointPx point) {
    std::optional<Monitor> nearest;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const Monitor& monitor : monitors) {
        const std::int64_t distance = DistanceSquared(monitor.bounds, point);
        if (distance < best) {
            best = distance;
            nearest = monitor;
        }
    }
    return nearest;
}

std::string ChoiceNaming(const std::vector<Monitor>& monitors, const Monitor& target, const std::string& current) {
    const std::optional<Monitor> chosen = ChooseMonitor(monitors, current);
    if (chosen && SameMonitor(*chosen, target)) return current;
    const bool byNumber = ParseMonitorNumber(current) != 0;
    if (!byNumber && !target.name.empty()) return target.name;
    const std::vector<Monitor> ordered = FromTheLeft(monitors);
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        if (SameMonitor(ordered[i], target)) return std::to_string(i + 1);
    }
    return current;
}

}  // namespace zindle
