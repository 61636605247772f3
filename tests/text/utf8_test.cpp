// Character-level UTF-8: what counts as one character, and case folding.

#include <gtest/gtest.h>

#include "text/utf8.h"

namespace zindle {
namespace {

std::vector<char32_t> Chars(std::initializer_list<char32_t> list) { return list; }

TEST(Utf8Decode, TakesOnlyShortestWellFormedSequences) {
    EXPECT_EQ(Utf8Decode("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), Chars({'a', 0xE9, 0x20AC, 0x1F600}));
    // Overlong forms of '/' and of U+20AC: each byte stands for itself.
    EXPECT_EQ(Utf8Decode("\xC0\xAF"), Chars({0xDCC0, 0xDCAF}));
    EXPECT_EQ(Utf8Decode("\xE0\x80\xAF"), Chars({0xDCE0, 0xDC80, 0xDCAF}));
    EXPECT_EQ(Utf8Decode("\xF0\x82\x82\xAC"), Chars({0xDCF0, 0xDC82, 0xDC82, 0xDCAC}));
    // Surrogates, values past U+10FFFF, a cut sequence, a stray continuation.
    EXPECT_EQ(Utf8Decode("\xED\xA0\x80"), Chars({0xDCED, 0xDCA0, 0xDC80}));
    EXPECT_EQ(Utf8Decode("\xF4\x90\x80\x80").front(), 0xDCF4u);
    EXPECT_EQ(Utf8Decode("\xE2\x82"), Chars({0xDCE2, 0xDC82}));
    EXPECT_EQ(Utf8Decode("\x80x"), Chars({0xDC80, 'x'}));
    // The smallest value of each length is well formed.
    EXPECT_EQ(Utf8Decode("\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80"), Chars({0x80, 0x800, 0x10000}));
}

TEST(Utf8Length, CountsCharactersAndCutsOnTheirBoundaries) {
    const std::string text = "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC" "5";  // "été €5"
    EXPECT_EQ(Utf8Length(text), 6u);
    EXPECT_EQ(Utf8Left(text, 2), "\xC3\xA9t");
    EXPECT_EQ(Utf8Right(text, 2), "\xE2\x82\xAC" "5");
    EXPECT_EQ(Utf8Right(text, 6), text);
    EXPECT_EQ(Utf8Right(text, 60), text);
    EXPECT_EQ(Utf8Offset(text, 60), text.size());
    // An overlong pair is two characters, as its two bytes decode.
    EXPECT_EQ(Utf8Length("\xC0\xAF"), 2u);
    EXPECT_EQ(Utf8Encode(0x1F600), "\xF0\x9F\x98\x80");
}

TEST(Utf8Lower, FoldsTheLettersOfEachCoveredScript) {
    EXPECT_EQ(Utf8Lower("ABC xyz 09"), "abc xyz 09");
    EXPECT_EQ(Utf8Lower("\xC3\x80\xC3\x89\xC3\x9E"), "\xC3\xA0\xC3\xA9\xC3\xBE");            // ÀÉÞ
    EXPECT_EQ(Utf8Lower("\xC3\x97\xC3\x9F"), "\xC3\x97\xC3\x9F") << "× and ß have no lower case";
    EXPECT_EQ(Utf8Lower("\xC4\x80\xC5\x81\xC5\xB9\xC5\xB8"), "\xC4\x81\xC5\x82\xC5\xBA\xC3\xBF");  // ĀŁŹŸ
    EXPECT_EQ(Utf8Lower("\xC4\xB0"), "\xC4\xB0") << "İ folds only to two characters, so simple folding keeps it";
    EXPECT_EQ(Utf8Lower("\xCE\x91\xCE\xA9"), "\xCE\xB1\xCF\x89");                             // ΑΩ
    EXPECT_EQ(Utf8Lower("\xD0\x90\xD0\xAF"), "\xD0\xB0\xD1\x8F");                             // АЯ
    EXPECT_EQ(Utf8Lower("\xD0\x80\xD0\x81\xD0\x8F"), "\xD1\x90\xD1\x91\xD1\x9F");             // ЀЁЏ
    // Bytes that are not UTF-8 stay exactly as they were.
    EXPECT_EQ(Utf8Lower("A\xC9Z\xC0\xAF"), "a\xC9z\xC0\xAF");
}

TEST(LowerCodePoint, FoldsEachLetterOfItsRunAndNoOther) {
    EXPECT_EQ(LowerCodePoint(0xB5), 0x3BCu);    // micro sign
    EXPECT_EQ(LowerCodePoint(0xFF), 0xFFu);     // ÿ is lower case
    EXPECT_EQ(LowerCodePoint(0x100), 0x101u);   // Ā, in a run of every other code point
    EXPECT_EQ(LowerCodePoint(0x101), 0x101u);   // ā, between two of its members
    EXPECT_EQ(LowerCodePoint(0x12F), 0x12Fu);
    EXPECT_EQ(LowerCodePoint(0x531), 0x561u);   // Armenian
    EXPECT_EQ(LowerCodePoint(0x5FF), 0x5FFu);
    EXPECT_EQ(LowerCodePoint(0x10A0), 0x2D00u); // Georgian, past the direct table
}

TEST(LowerCodePoint, FoldsTheFewLettersOfOtherwiseUnfoldedBlocks) {
    EXPECT_EQ(LowerCodePoint(0xFF21), 0xFF41u);    // fullwidth A
    EXPECT_EQ(LowerCodePoint(0xAB70), 0x13A0u);    // Cherokee small letter, folded to its capital
    EXPECT_EQ(LowerCodePoint(0x10400), 0x10428u);  // Deseret
    EXPECT_EQ(LowerCodePoint(0x1E921), 0x1E943u);  // the last folded letter (Adlam)
    EXPECT_EQ(LowerCodePoint(0x2126), 0x3C9u);     // Ohm sign
    EXPECT_EQ(LowerCodePoint(0xFF3B), 0xFF3Bu);    // just past the fullwidth capitals
    EXPECT_EQ(LowerCodePoint(0x4E2D), 0x4E2Du);    // CJK
    EXPECT_EQ(LowerCodePoint(0xD55C), 0xD55Cu);    // Hangul
    EXPECT_EQ(LowerCodePoint(0xDCFF), 0xDCFFu);    // an invalid byte's stand-in
    EXPECT_EQ(LowerCodePoint(0x1E943), 0x1E943u);
    EXPECT_EQ(LowerCodePoint(0x10FFFF), 0x10FFFFu);
}

TEST(Utf8StartsWithLowered, ComparesThePrefixInLowerCase) {
    EXPECT_TRUE(Utf8StartsWithLowered("\xC3\x89TAT major", Chars({0xE9, 't'})));
    EXPECT_TRUE(Utf8StartsWithLowered("\xD0\x81LKA", Chars({0x451})));
    EXPECT_FALSE(Utf8StartsWithLowered("et", Chars({0xE9})));
    EXPECT_FALSE(Utf8StartsWithLowered("a", Chars({'a', 'b'})));
    EXPECT_TRUE(Utf8StartsWithLowered("", {}));
}

}  // namespace
}  // namespace zindle
