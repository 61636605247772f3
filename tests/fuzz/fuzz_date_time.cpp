// TryParseDateTime on random texts in each locale order. A refused text
// leaves the value alone; an accepted one is a real moment in the supported
// years, does not depend on blanks around the text, and a time of day is
// read back from its own "hh:mm:ss" form.

#include <cmath>
#include <string>

#include "clock/clock_format.h"
#include "clock/date_time_parse.h"
#include "fuzz_support.h"

namespace {

constexpr double kUntouched = -123456.5;
// 0100-01-01 and the day after 9999-12-31, as days since 1899-12-30.
constexpr double kFirstDay = -657434;
constexpr double kPastLastDay = 2958466;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace zindle;
    FuzzedDataProvider data(bytes, size);
    const auto order = static_cast<DateOrder>(data.ConsumeIntegralInRange(0, 2));
    const std::string text = data.ConsumeRemainingBytesAsString();

    DateTime value = kUntouched;
    const bool parsed = TryParseDateTime(text, order, value);
    DateTime padded = kUntouched;
    FUZZ_CHECK(TryParseDateTime(" \t" + text + "  ", order, padded) == parsed);
    if (!parsed) {
        FUZZ_CHECK(value == kUntouched);
        return 0;
    }
    FUZZ_CHECK(padded == value);
    FUZZ_CHECK(std::isfinite(value) && value >= kFirstDay && value < kPastLastDay);

    const double seconds = value * 86400;
    FUZZ_CHECK(std::abs(seconds - std::nearbyint(seconds)) < 1e-3);
    if (value >= 0 && value < 1) {
        DateTime again = kUntouched;
        FUZZ_CHECK(TryParseDateTime(FormatClockTime(DaysToMilliseconds(value)), order, again));
        FUZZ_CHECK(DaysToMilliseconds(again) == DaysToMilliseconds(value));
    }
    return 0;
}
