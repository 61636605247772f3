#include "clock/clock_format.h"

#include <cmath>

namespace zindle {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
// Far beyond the distance between any two dates, and far inside int64.
constexpr double kMaxMilliseconds = 1e17;

void AppendTwoDigits(std::string& text, std::int64_t value) {
    text += static_cast<char>('0' + value / 10);
    text += static_cast<char>('0' + value % 10);
}

}  // namespace

std::int64_t DaysToMilliseconds(double days) {
    const double milliseconds = days * static_cast<double>(kMillisecondsPerDay);
    if (std::isnan(milliseconds)) return 0;
    if (milliseconds > kMaxMilliseconds) return static_cast<std::int64_t>(kMaxMilliseconds);
    if (milliseconds < -kMaxMilliseconds) return -static_cast<std::int64_t>(kMaxMilliseconds);
    return std::llround(milliseconds);
}

std::string FormatClockTime(std::int64_t milliseconds) {
    std::string text = milliseconds < 0 ? "-" : "";
    // DaysToMilliseconds keeps counts far from the int64 limits, but the
    // magnitude is taken safely for any value.
    const std::uint64_t magnitude = milliseconds < 0 ? 0 - static_cast<std::uint64_t>(milliseconds)
                                                     : static_cast<std::uint64_t>(milliseconds);
    const auto seconds = static_cast<std::int64_t>(magnitude % kMillisecondsPerDay / 1000);
    AppendTwoDigits(text, seconds / 3600);
    text += ':';
    AppendTwoDigits(text, seconds / 60 % 60);
    text += ':';
    AppendTwoDigits(text, seconds % 60);
    return text;
}

}  // namespace zindle
