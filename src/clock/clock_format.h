#pragma once
// How the clocks turn day counts into what the clock label shows.

#include <cstdint>
#include <string>

namespace zindle {

// A count of days as whole milliseconds, rounded to the nearest one: date-time
// arithmetic leaves errors of a few microseconds, and a count that is a hair
// short of a whole second must show and act as that second. NaN gives 0;
// counts far beyond any date are clamped.
std::int64_t DaysToMilliseconds(double days);

// "hh:mm:ss" of the time-of-day part of the magnitude (whole days are not
// shown, fractions of a second are cut off), with "-" in front of a negative
// count: -1 800 000 (half an hour past) gives "-00:30:00", 26 hours "02:00:00".
std::string FormatClockTime(std::int64_t milliseconds);

}  // namespace zindle
