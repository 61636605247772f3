#include "profile/conversions.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace zindle {
namespace {

TEST(Conversions, ParseYesNoAcceptsOnlyTheFourTrueWords) {
    for (const char* text : {"yes", " Yes ", "\tTRUE\t", "y", "1"}) EXPECT_TRUE(ParseYesNo(text)) << text;
    for (const char* text : {"no", "n", "0", "false", "", "on", "yes please", "1.0"}) {
        EXPECT_FALSE(ParseYesNo(text)) << text;
    }
    EXPECT_EQ(YesNo(true), "yes");
    EXPECT_EQ(YesNo(false), "no");
}

TEST(Conversions, LeadingNumberTakesTheLongestNumericPrefix) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},        {"abc", 0},       {"-", 0},          {".", 0},      {"12abc", 12},
        {" \t-3.5e2x", -350}, {"+7", 7},  {".5", 0.5},       {"5.", 5},     {"1e", 1},
        {"1e+", 1},     {"2E3", 2000},    {"1.5.5", 1.5},    {" 1 2", 1},   {"1e400", kInf},
        {"-1e400", -kInf}, {"1e-400", 0}, {"0.000001e-320", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
    EXPECT_EQ(LeadingNumber("1" + std::string(400, '0')), kInf);
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1e-10"), 0);
    EXPECT_EQ(LeadingNumber("0.001e400"), kInf);
}

TEST(Conversions, ToInt16RoundsHalvesToEvenAndClamps) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"1500.5", 1500}, {"1501.5", 1502}, {"2.5", 2},        {"-2.5", -2},      {"-3.5", -4},
        {"0.49", 0},      {"122", 122},     {"32767.4", 32767}, {"40000", 32767}, {"-40000", -32768},
        {"1e400", 32767}, {"-1e400", -32768}, {"on", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ToInt16(c.text), c.value) << c.text;
    EXPECT_EQ(RoundToInt16(std::nan("")), 0);
}

TEST(Conversions, TrimBlanksStripsOnlySpaces) {
    EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(LowerAscii("AbC-\xC3\x89"), "abc-\xC3\x89");
}

}  // namespace
}  // namespace zindle
