// Case folding of names and the encodings of files carried over from Windows.

#include <gtest/gtest.h>

#include "profile/file_encoding.h"
#include "text/utf8.h"
#include "text/windows1252.h"

namespace zindle {
namespace {

TEST(CaseFoldingTest, FoldsEveryScriptAndKeepsWhatHasNoCase) {
    EXPECT_EQ(Utf8Lower("ÉTAT Ärger ŒUVRE ΣΟΦΊΑ ПРИВЕТ ǅ Ａ ꭰ 𐐀"), "état ärger œuvre σοφία привет ǆ ａ Ꭰ 𐐨") << "Cherokee folds to upper case";
    // Simple folding: ẞ folds to ß, which itself stays; İ has no simple folding.
    EXPECT_EQ(Utf8Lower("ẞß İ ſ ς µ"), "ßß İ s σ μ");
    EXPECT_EQ(Utf8Lower("123 -_ 日本 \xC3\x28\xFF"), "123 -_ 日本 \xC3\x28\xFF") << "invalid bytes are kept";
}

TEST(CaseFoldingTest, ComparesAndHashesFoldedNames) {
    const std::pair<const char*, const char*> same[] = {
        {"État", "éTAT"}, {"\u212Aelvin", "kelvin"}, {"ſs", "SS"}, {"Σίσυφος", "ΣΊΣΥΦΟΣ"}, {"a\xFF", "A\xFF"}, {"", ""},
    };
    for (const auto& [a, b] : same) {
        EXPECT_TRUE(Utf8EqualFolded(a, b)) << a << " " << b;
        EXPECT_EQ(Utf8FoldedHash(a), Utf8FoldedHash(b)) << a << " " << b;
    }
    for (const auto& [a, b] : {std::pair{"état", "etat"}, {"kelvin", "kelvi"}, {"ß", "ss"}, {"a\xFF", "a\xFE"},
                               {"x", ""}, {"\xC3", "\xC3\xA9"}}) {
        EXPECT_FALSE(Utf8EqualFolded(a, b)) << a << " " << b;
    }
}

TEST(Windows1252Test, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string text = Windows1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_EQ(Utf8ToWindows1252(text), all);
    EXPECT_EQ(Windows1252ToUtf8("caf\xE9 \x80\x99\x9F\x81"), "café €™Ÿ\u0081");
}

TEST(Windows1252Test, RefusesWhatTheCodePageCannotHold) {
    EXPECT_EQ(Utf8ToWindows1252("crème brûlée €"), "cr\xE8me br\xFBl\xE9" "e \x80");
    for (const char* text : {"日本", "\u0080", "\u0100", "\xE9", "ok\xC3", "😀"}) {
        EXPECT_EQ(Utf8ToWindows1252(text), std::nullopt) << text;
    }
}

TEST(FileEncodingTest, DetectsAndRefusesBytesThatWouldReadOtherwise) {
    EXPECT_EQ(DetectEncoding("[cmds]\nétat=x\n"), FileEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("[cmds]\n\xE9tat=x\n"), FileEncoding::Ansi);
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF[cmds]\n\xE9tat=x\n"), FileEncoding::Utf8) << "marked as UTF-8";
    EXPECT_EQ(DetectEncoding("\xFF\xFE[\0"), FileEncoding::Utf16);
    for (std::size_t ascii = 0; ascii < 70; ascii += 3) {
        const std::string head(ascii, 'x');
        EXPECT_EQ(DetectEncoding(head + "\xE9" + head), FileEncoding::Ansi) << ascii;
        EXPECT_EQ(DetectEncoding(head + "é" + head + "\xC3"), FileEncoding::Ansi) << ascii;
        EXPECT_EQ(DetectEncoding(head + "é" + head), FileEncoding::Utf8) << ascii;
    }

    EXPECT_EQ(EncodeFile(FileEncoding::Utf8, "k=\xE9\n"), std::nullopt) << "would turn the file into Windows-1252";
    EXPECT_EQ(EncodeFile(FileEncoding::Ansi, "a=é\nb=Ã©\n"), "a=\xE9\nb=\xC3\xA9\n");
    EXPECT_EQ(EncodeFile(FileEncoding::Ansi, "b=Ã©\n"), std::nullopt) << "would read back as UTF-8";
    EXPECT_EQ(EncodeFile(FileEncoding::Ansi, "b=x\n"), "b=x\n") << "plain ASCII reads the same either way";
    EXPECT_EQ(EncodeFile(FileEncoding::Utf16, "k=v\n"), std::nullopt);
}

}  // namespace
}  // namespace zindle
