// Every character a skin's colour may hold, in each of the three places.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "skinning/skinning.h"

namespace zindle {
namespace {

TEST(SkinColour, EveryHexDigitCountsInEitherCaseAndInEveryPair) {
    const std::string digits = "0123456789abcdef";
    for (int value = 0; value < 16; ++value) {
        for (const char digit : {digits[static_cast<std::size_t>(value)],
                                 static_cast<char>(std::toupper(digits[static_cast<std::size_t>(value)]))}) {
            const std::string pair(2, digit);
            const int both = value * 17;
            EXPECT_EQ(ParseSkinColor(pair + "0000"), MakeColour(both, 0, 0)) << pair;
            EXPECT_EQ(ParseSkinColor("00" + pair + "00"), MakeColour(0, both, 0)) << pair;
            EXPECT_EQ(ParseSkinColor("0000" + pair), MakeColour(0, 0, both)) << pair;
        }
    }
}

TEST(SkinColour, TheCharactersNextToTheDigitRangesEndAPair) {
    // '/' ':' '@' 'G' '`' 'g' border 0-9, A-F and a-f.
    for (const char other : {'/', ':', '@', 'G', '`', 'g'}) {
        const std::string text = std::string("1") + other + "2" + other + "3" + other;
        EXPECT_EQ(ParseSkinColor(text), MakeColour(1, 2, 3)) << text;
        const std::string leading = std::string(1, other) + "F" + other + "F" + other + "F";
        EXPECT_EQ(ParseSkinColor(leading), MakeColour(0, 0, 0)) << leading;
    }
}

}  // namespace
}  // namespace zindle
