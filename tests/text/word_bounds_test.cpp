#include "text/word_bounds.h"

#include <gtest/gtest.h>

namespace zindle {
namespace {

using namespace std::string_view_literals;

TEST(WordBounds, BackwardsTakesTheBlanksBeforeTheCaretThenOneWord) {
    constexpr auto text = "g  hello world"sv;
    EXPECT_EQ(PreviousWordStart(text, text.size()), 9u);  // "world"
    EXPECT_EQ(PreviousWordStart(text, 9), 3u);            // "hello "
    EXPECT_EQ(PreviousWordStart(text, 6), 3u);            // inside a word: its start
    EXPECT_EQ(PreviousWordStart(text, 3), 0u);            // "g  "
    EXPECT_EQ(PreviousWordStart(text, 0), 0u);
    EXPECT_EQ(PreviousWordStart("   "sv, 3), 0u);
    EXPECT_EQ(PreviousWordStart(text, 99), 9u);  // a caret past the end counts from the end
}

TEST(WordBounds, ForwardsTakesTheRestOfTheWordThenItsBlanks) {
    constexpr auto text = "g  hello\tworld"sv;
    EXPECT_EQ(NextWordStart(text, 0), 3u);
    EXPECT_EQ(NextWordStart(text, 1), 3u);  // between words: only the blanks
    EXPECT_EQ(NextWordStart(text, 5), 9u);
    EXPECT_EQ(NextWordStart(text, 9), text.size());
    EXPECT_EQ(NextWordStart(text, text.size()), text.size());
    EXPECT_EQ(NextWordStart(text, 99), text.size());
}

TEST(WordBounds, NeverSplitsACharacterOutsideTheBasicPlane) {
    // U+1F600 is two UTF-16 units and four UTF-8 bytes: a whole word either way.
    constexpr auto wide = u"a \U0001F600"sv;
    EXPECT_EQ(PreviousWordStart(wide, wide.size()), 2u);
    EXPECT_EQ(NextWordStart(wide, 2), wide.size());
    constexpr auto bytes = "a \xF0\x9F\x98\x80 b"sv;
    EXPECT_EQ(PreviousWordStart(bytes, 6), 2u);
    EXPECT_EQ(NextWordStart(bytes, 2), 7u);
}

}  // namespace
}  // namespace zindle
