#include "platform/posix/windows_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zindle {
namespace {

using Tokens = std::vector<std::string>;

TEST(SplitWindowsCommandLine, ProgramNameTakesQuotesButNoEscapes) {
    EXPECT_EQ(SplitWindowsCommandLine(R"("C:\Program Files\x.exe" a)"),
              (Tokens{R"(C:\Program Files\x.exe)", "a"}));
    // Quotes toggle inside the name, and a backslash before a quote is plain.
    EXPECT_EQ(SplitWindowsCommandLine(R"("C:\Program Files"\x.exe)"), (Tokens{R"(C:\Program Files\x.exe)"}));
    EXPECT_EQ(SplitWindowsCommandLine(R"(C:\dir\"x y" z)"), (Tokens{R"(C:\dir\x y)", "z"}));
    EXPECT_EQ(SplitWindowsCommandLine(R"("" a)"), (Tokens{"", "a"}));
}

TEST(SplitWindowsCommandLine, BlanksSeparateAndAreSkipped) {
    EXPECT_EQ(SplitWindowsCommandLine(""), Tokens{});
    EXPECT_EQ(SplitWindowsCommandLine(" \t "), Tokens{});
    EXPECT_EQ(SplitWindowsCommandLine("  prog\ta  \t b "), (Tokens{"prog", "a", "b"}));
    EXPECT_EQ(SplitWindowsCommandLine(R"(p "a b" "" c)"), (Tokens{"p", "a b", "", "c"}));
    EXPECT_EQ(SplitWindowsCommandLine(R"(p a"b c"d)"), (Tokens{"p", "ab cd"}));
}

TEST(SplitWindowsCommandLine, BackslashesBeforeQuotes) {
    // Not followed by a quote: literal.
    EXPECT_EQ(SplitWindowsCommandLine(R"(p a\\b c\)"), (Tokens{"p", R"(a\\b)", R"(c\)"}));
    // 2n backslashes + quote: n backslashes, the quote toggles quoting.
    EXPECT_EQ(SplitWindowsCommandLine(R"(p a\\"b c")"), (Tokens{"p", R"(a\b c)"}));
    EXPECT_EQ(SplitWindowsCommandLine(R"(p "a\\\\" b)"), (Tokens{"p", R"(a\\)", "b"}));
    // 2n+1 backslashes + quote: n backslashes and a literal quote.
    EXPECT_EQ(SplitWindowsCommandLine(R"(p a\"b \\\"c)"), (Tokens{"p", R"(a"b)", R"(\"c)"}));
    EXPECT_EQ(SplitWindowsCommandLine(R"(p "a\" b")"), (Tokens{"p", R"(a" b)"}));
}

TEST(SplitWindowsCommandLine, DoubledQuoteInsideQuotesIsLiteralAndKeepsQuoting) {
    EXPECT_EQ(SplitWindowsCommandLine(R"(p "a""b c")"), (Tokens{"p", R"(a"b c)"}));
    EXPECT_EQ(SplitWindowsCommandLine(R"(p """a b""")"), (Tokens{"p", R"("a b")"}));
    // Outside quotes "" opens and closes an empty quoted part.
    EXPECT_EQ(SplitWindowsCommandLine(R"(p a""b c)"), (Tokens{"p", "ab", "c"}));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(SplitWindowsCommandLine(R"(p "a b)"), (Tokens{"p", "a b"}));
}

// The parameters go on as typed: the program parses them itself.
TEST(SplitProgramName, TheNameAsTheFirstTokenAndTheRestUntouched) {
    const auto split = [](std::string_view line) {
        const ProgramAndParameters parts = SplitProgramName(line);
        return Tokens{parts.program, parts.parameters};
    };
    EXPECT_EQ(split(R"(  "C:\Program Files\x.exe"  "a b" \\"c  )"),
              (Tokens{R"(C:\Program Files\x.exe)", R"("a b" \\"c  )"}));
    EXPECT_EQ(split("chrome.exe\thttps://example.com/?q=a b"), (Tokens{"chrome.exe", "https://example.com/?q=a b"}));
    EXPECT_EQ(split(R"(C:\dir\"x y"\p.exe)"), (Tokens{R"(C:\dir\x y\p.exe)", ""}));
    EXPECT_EQ(split("   "), (Tokens{"", ""}));
}

}  // namespace
}  // namespace zindle
