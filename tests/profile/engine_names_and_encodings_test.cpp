// Names matched without regard to case for every letter, and files from
// Windows (Windows-1252) read as text and written back in their own bytes.

#include "engine_fixture.h"

namespace zindle::test {
namespace {

using namespace std::literals;

TEST_F(EngineTest, NamesMatchWhateverTheCaseOfTheirLetters) {
    WriteBytes(path_, "[Über]\nÉtat=1\n\u212Aelvin=2\n[über]\nlater=3\n");
    EXPECT_EQ(Get("ÜBER", "état", path_), "1");
    EXPECT_EQ(Get("über", "KELVIN", path_), "2") << "the Kelvin sign folds to k, one byte shorter";
    EXPECT_EQ(Get("ÜBER", "later", path_), "<default>") << "only the first section of a name counts";

    ASSERT_TRUE(engine_.WriteString("über", "ÉTAT", "new", path_));
    ASSERT_TRUE(engine_.WriteString("ÜBER", "kelvin", std::nullopt, path_));
    EXPECT_EQ(ReadBytes(path_), "[Über]\nÉtat=new\n[über]\nlater=3\n") << "the file's spelling of the key stays";
    ASSERT_TRUE(engine_.WriteSection("üBER", "a=1\0\0"sv, path_));
    ASSERT_TRUE(engine_.WriteString("ÜBER", std::nullopt, std::nullopt, path_));
    EXPECT_EQ(ReadBytes(path_), "[über]\nlater=3\n");
}

TEST_F(EngineTest, WindowsFilesAreTextAndKeepTheirBytes) {
    const std::string head = "; r\xE9glages \x80\r\n[cmds]\r\n\xC9tat=  \"\xE9t\xE9 \x96 caf\xE9\"  \r\n";
    const std::string tail = "na\xEFve=x\r\nodd=\x81\x8D\x8F\x90\x9D\xFF\r\n[\xC0 part]\r\nk=v";
    WriteBytes(path_, head + tail);
    EXPECT_EQ(Get("cmds", "ÉTAT", path_), "été – café");
    EXPECT_EQ(Get("CMDS", "NAÏVE", path_), "x");
    EXPECT_EQ(Get("cmds", "odd", path_), "\u0081\u008D\u008F\u0090\u009Dÿ");
    EXPECT_EQ(Get("à PART", "k", path_), "v");

    ASSERT_TRUE(engine_.WriteString("cmds", "état", "crème brûlée", path_));
    ASSERT_TRUE(engine_.WriteString("cmds", "naïve", std::nullopt, path_));
    ASSERT_TRUE(engine_.WriteString("À part", "œuvre", "€", path_));
    const std::string expected =
        "; r\xE9glages \x80\r\n[cmds]\r\n\xC9tat=cr\xE8me br\xFBl\xE9" "e\r\nodd=\x81\x8D\x8F\x90\x9D\xFF\r\n"
        "[\xC0 part]\r\nk=v\r\n\x9C" "uvre=\x80\r\n";
    EXPECT_EQ(ReadBytes(path_), expected);
    EXPECT_EQ(Get("cmds", "état", path_), "crème brûlée");

    // What Windows-1252 cannot hold is refused, and the file stays as it is.
    EXPECT_FALSE(engine_.WriteString("cmds", "日本", "x", path_));
    EXPECT_FALSE(engine_.WriteString("cmds", "k", "€ and ✓", path_));
    EXPECT_FALSE(engine_.WriteString("cmds", "k", "\xE9", path_)) << "not UTF-8";
    EXPECT_FALSE(engine_.WriteSection("cmds", "a=1\0b=✓\0\0"sv, path_));
    EXPECT_EQ(ReadBytes(path_), expected);
}

TEST_F(EngineTest, SectionWritesRoundTripAWindowsHistory) {
    const std::string file = "[history]\r\ncount=2\r\n1=\xE9t\xE9\r\n2=caf\xE9 cr\xE8me\r\n; \xA7 kept\r\n";
    WriteBytes(path_, file);
    ASSERT_TRUE(engine_.WriteSection("history", "count=2\0" "1=été\0" "2=café crème\0\0"sv, path_));
    EXPECT_EQ(ReadBytes(path_), file);
    ASSERT_TRUE(engine_.WriteSection("history", "count=1\0" "1=Ça\0\0"sv, path_));
    EXPECT_EQ(ReadBytes(path_), "[history]\r\ncount=1\r\n1=\xC7" "a\r\n; \xA7 kept\r\n");
}

TEST_F(EngineTest, UnicodeFilesStayUnicode) {
    ASSERT_TRUE(engine_.WriteString("cmds", "État", "日本", path_));
    EXPECT_EQ(ReadBytes(path_), "[cmds]\nÉtat=日本\n") << "a new file is UTF-8";
    EXPECT_FALSE(engine_.WriteString("cmds", "k", "\xE9", path_))
        << "one byte that is not UTF-8 would have the whole file read as Windows-1252";
    EXPECT_EQ(ReadBytes(path_), "[cmds]\nÉtat=日本\n");

    // A file marked as UTF-8 stays so, damaged bytes and all.
    WriteBytes(path_, "\xEF\xBB\xBF[cmds]\nbad=\xE9\n");
    EXPECT_EQ(Get("cmds", "bad", path_), "\xE9");
    ASSERT_TRUE(engine_.WriteString("cmds", "k", "é", path_));
    EXPECT_EQ(ReadBytes(path_), "\xEF\xBB\xBF[cmds]\nbad=\xE9\nk=é\n");
}

TEST_F(EngineTest, RefusesAnEditAfterWhichTheFileWouldReadOtherwise) {
    // "Ã©" in Windows-1252 is also the UTF-8 of "é": once the only byte that
    // is not UTF-8 went, every such pair would change its meaning.
    const std::string file = "[S]\nk=\xE9\nj=\xC3\xA9\n";
    WriteBytes(path_, file);
    EXPECT_EQ(Get("S", "j", path_), "Ã©");
    EXPECT_FALSE(engine_.WriteString("S", "k", std::nullopt, path_));
    EXPECT_FALSE(engine_.WriteString("S", "k", "plain", path_));
    EXPECT_EQ(ReadBytes(path_), file);
    ASSERT_TRUE(engine_.WriteString("S", "k", "è", path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=\xE8\nj=\xC3\xA9\n");
}

TEST_F(EngineTest, CacheFollowsAFileThatChangesItsEncoding) {
    // The same text in both encodings: only the bytes tell which one the file is in.
    WriteBytes(path_, "[S]\nk=\xE9\n");
    EXPECT_EQ(Get("S", "k", path_), "é");
    WriteBytes(path_, "[S]\nk=é\n");
    EXPECT_EQ(Get("S", "k", path_), "é");
    ASSERT_TRUE(engine_.WriteString("S", "n", "ü", path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=é\nn=ü\n");

    WriteBytes(path_, "[S]\nk=\xE9\n");
    ASSERT_TRUE(engine_.WriteString("S", "n", "ü", path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=\xE9\nn=\xFC\n");
}

}  // namespace
}  // namespace zindle::test
