// Date-time parameters of the clocks and the "hh:mm:ss" texts they show.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "clock/clock_format.h"
#include "clock/date_time_parse.h"

namespace zindle {
namespace {

constexpr DateOrder kMdy = DateOrder::MonthDayYear;
constexpr DateOrder kDmy = DateOrder::DayMonthYear;
constexpr DateOrder kYmd = DateOrder::YearMonthDay;
constexpr long long kDay = 86400;
constexpr long long kJan2 = 45293 * kDay;  // 2024-01-02

// Whole seconds since 1899-12-30, or nullopt when the text is refused.
std::optional<long long> Seconds(const std::string& text, DateOrder order) {
    DateTime value = -1;
    if (!TryParseDateTime(text, order, value)) {
        EXPECT_EQ(value, -1) << "a refused text leaves the value alone: " << text;
        return std::nullopt;
    }
    return std::llround(value * kDay);
}

TEST(TryParseDateTime, AcceptsTimesDatesAndBoth) {
    const struct {
        const char* text;
        DateOrder order;
        long long seconds;
    } cases[] = {
        // Times lie on day zero; 12 AM is midnight and 12 PM noon.
        {"0:05:00", kMdy, 300}, {" 14:30\t", kDmy, 52200}, {"23:59:59", kYmd, kDay - 1}, {"1:5", kMdy, 3900},
        {"12AM", kMdy, 0}, {"12:59:59 am", kMdy, 3599}, {"12PM", kMdy, 43200}, {"12:30pm", kMdy, 45000},
        {"1:15 Am", kMdy, 4500}, {"3PM", kMdy, 54000}, {"3  pM", kMdy, 54000}, {"11:59:59 PM", kMdy, kDay - 1},
        // Dates in the locale's order, ISO in every order.
        {"1/2/2024", kMdy, kJan2}, {"2.1.2024", kDmy, kJan2}, {"2024/01/02", kYmd, kJan2},
        {"01-02-2024", kMdy, kJan2}, {"2024-01-02", kMdy, kJan2}, {"2024-01-02", kDmy, kJan2},
        {"1899-12-30", kDmy, 0}, {"1899-12-29", kDmy, -kDay},
        // Two-digit years: 00-29 in the 2000s, 30-99 in the 1900s.
        {"1/1/00", kMdy, 36526 * kDay}, {"31.12.29", kDmy, 47483 * kDay}, {"1/1/30", kMdy, 10959 * kDay},
        {"24/1/2", kYmd, kJan2},
        // Leap days, with the century rules.
        {"2/29/2024", kMdy, 45351 * kDay}, {"29.02.2000", kDmy, 36585 * kDay},
        // A date and a time.
        {"2024-01-02T14:30", kMdy, kJan2 + 52200}, {"2/1/2024 2:30 PM", kDmy, kJan2 + 52200},
        {"1/2/2024   9:00:01 ", kMdy, kJan2 + 32401}, {"1/2/2024 3PM", kMdy, kJan2 + 54000},
    };
    for (const auto& c : cases) EXPECT_EQ(Seconds(c.text, c.order), std::optional(c.seconds)) << c.text;
}

TEST(TryParseDateTime, RefusesEverythingElse) {
    const char* const refused[] = {
        "", "   ", "soon", "14", "14:", "-1:00", "14h30", "14:30:00:00", "12:3x", "14:30 PMX", "3 P M",
        // Out of range.
        "25:00", "24:00", "1:60", "1:00:60", "0AM", "13PM", "0:30 AM", "123:00", "1:005",
        // Non-ASCII digits and blanks.
        "\xEF\xBC\x91:30", "1:30\xC2\xA0PM",
        // Days that do not exist, in MDY.
        "2/30/2024", "2/29/2023", "1900-02-29", "2024-13-01", "2024-00-10", "2024-01-00", "13/1/2024",
        // Malformed dates.
        "2024/1/2", "1/2/024", "1/2/2", "1/2-2024", "1/2", "1/2/2024/5", "0099-01-01", "99999-01-01",
        // A date followed by something other than a time.
        "1/2/2024 soon", "1/2/2024T14:30", "2024-01-02T", "2024-01-02 T14:30", "2024-01-02T 14:30",
        "2024-01-02 25:00", "14:30 2024-01-02",
        // Long digit runs.
        "4294967296:00", "00000000000000000001:00", "1/1/100000000000000002024",
    };
    for (const char* text : refused) EXPECT_EQ(Seconds(text, kMdy), std::nullopt) << text;
    EXPECT_EQ(Seconds("1/13/2024", kDmy), std::nullopt);
    EXPECT_EQ(Seconds("1/2/2024", kYmd), std::nullopt);
}

TEST(ClockFormat, ShowsTheTimeOfDayOfTheMagnitudeWithASign) {
    EXPECT_EQ(FormatClockTime(0), "00:00:00");
    EXPECT_EQ(FormatClockTime(9'999), "00:00:09");
    EXPECT_EQ(FormatClockTime(-999), "-00:00:00");
    EXPECT_EQ(FormatClockTime(DaysToMilliseconds(26.0 / 24)), "02:00:00");
    EXPECT_EQ(FormatClockTime(DaysToMilliseconds(-0.5 / 24)), "-00:30:00");
    EXPECT_EQ(FormatClockTime(DaysToMilliseconds(3 + 13.0 / 24 + 5.0 / 1440 + 7.0 / 86400)), "13:05:07");
    EXPECT_EQ(FormatClockTime(INT64_MIN).size(), 9u);
}

TEST(ClockFormat, AbsorbsTheErrorOfDayCountArithmetic) {
    // Differences of date-times near today are off by microseconds: a count a
    // hair short of a whole second is that second, one a hair past zero is zero.
    const double now = 45292.123456789;
    EXPECT_EQ(DaysToMilliseconds(now + 10.0 / 86400 - (now + 9.0 / 86400)), 1000);
    EXPECT_EQ(FormatClockTime(DaysToMilliseconds(1 - 1e-10)), "00:00:00");
    EXPECT_EQ(FormatClockTime(DaysToMilliseconds(-1e-12)), "00:00:00");
    EXPECT_EQ(DaysToMilliseconds(std::nan("")), 0);
    EXPECT_GT(DaysToMilliseconds(INFINITY), 0);
    EXPECT_LT(DaysToMilliseconds(-INFINITY), 0);
}

}  // namespace
}  // namespace zindle
