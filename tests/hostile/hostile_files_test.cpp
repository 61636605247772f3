// zindle.ini and history.ini as nobody should write them: binary junk, lines
// of ten megabytes, brackets without end, every control character, invalid
// UTF-8, UTF-16. The program must start, keep working, and never lose a byte
// of what it did not mean to change.

#include "hostile_fixture.h"
#include "text/windows1252.h"

namespace zindle {
namespace {

using namespace std::literals;

using HostileFilesTest = HostileTest;

constexpr const char* kConfused = "...Confused... userverb not found or general err";

TEST_F(HostileFilesTest, BinaryJunkReadsAsNothingAndIsKeptByteForByte) {
    const std::string junk = Junk(64 * 1024, 1);
    WriteFile("zindle.ini", junk);
    WriteFile("history.ini", junk);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(program->history.gHistory.empty());
    Run("%%save w %%msg saved");
    Run("w");
    EXPECT_EQ(Status(), "saved");
    EXPECT_FALSE(Failed());

    ASSERT_TRUE(Restart());
    Run("w");
    EXPECT_EQ(Status(), "saved");
    Quit();
    EXPECT_TRUE(ReadFile("zindle.ini").starts_with(junk));
    EXPECT_TRUE(ReadFile("history.ini").starts_with(junk));
}

TEST_F(HostileFilesTest, TenMegabyteLinesAreCutWhenReadAndKeptWhenWritten) {
    const std::string huge(10 << 20, 'x');
    const std::string mega(1 << 20, 'y');
    const std::string ini = "[cmds]\nbig=%%msg " + huge + "\n" + mega + "\n;" + mega + "\nafter=%%msg after\n";
    WriteFile("history.ini", "[history]\ncount=2\n1=" + huge + "\n2=" + mega);  // no final line break
    ASSERT_TRUE(Start(ini));

    Run("big");
    EXPECT_EQ(Status(), std::string(248, 'x')) << "a stored value is read as its first 254 characters";
    Run("after");
    EXPECT_EQ(Status(), "after");
    ASSERT_EQ(program->history.gHistory.size(), 2u);
    EXPECT_EQ(program->history.gHistory[0], std::string(254, 'x'));

    const std::string before = ReadFile("zindle.ini");
    Run("%%save new %%msg new");
    EXPECT_FALSE(Failed());
    EXPECT_TRUE(ReadFile("zindle.ini") == before + "new=%%msg new\n") << "every other byte stays";

    // A typed line of ten megabytes: shown in one step, failed commands named in full.
    Run("%%msg " + huge);
    EXPECT_TRUE(Status() == huge);
    Run("%%exe " + huge);
    EXPECT_TRUE(Failed());
    Run("%%open " + huge);
    EXPECT_TRUE(Failed());
    const std::string wordA(300000, 'a');
    const std::string wordB(300000, 'b');
    Run("%%parse %%msg %%2%%1||" + wordA + " " + wordB);
    EXPECT_TRUE(Status() == wordB + wordA);
    // An expansion never grows past a megabyte: the template runs as it stands.
    Run("%%parse %%msg <%%1>||" + huge);
    EXPECT_EQ(Status(), "<%%1>");
}

TEST_F(HostileFilesTest, PlaceholdersThatFormAgainAndAgainEndSoon) {
    ASSERT_TRUE(Start());
    // Each "%1%%" put in for "%%1" forms a new "%%1" with the "%%" before
    // it: the text doubles with every "%%" in front, up to the bound.
    std::string doubling;
    for (int i = 0; i < 16; ++i) doubling += "%%";
    Run("%%parse %%msg " + doubling + "%%1 tail||%1%%");
    EXPECT_LE(Status().size(), std::size_t{1} << 20);
    EXPECT_TRUE(Status().ends_with("%% tail"));
    // A "1" that walks left through a quarter of a million "%%", a thousand times over.
    std::string walking;
    for (int i = 0; i < 250000; ++i) walking += "%%";
    Run("%%parse %%msg " + walking + "%%1" + std::string(1000, '1') + "||1%%");
    EXPECT_TRUE(Status().starts_with("1111"));
    Run("%%msg still here");
    EXPECT_EQ(Status(), "still here");
}

TEST_F(HostileFilesTest, EndlessBracketsMakeOddSectionsAndNothingElse) {
    const std::string deep = std::string(100000, '[') + "cmds" + std::string(100000, ']');
    const std::string ini = deep + "\nk=%%msg deep\n[cmds]\nok=%%msg ok\n[\n]\n[[cmds]]\nbad=%%msg bad\n" +
                            std::string(1 << 20, '[') + "\n]]]]\n";
    ASSERT_TRUE(Start(ini));
    Run("ok");
    EXPECT_EQ(Status(), "ok");
    for (const char* word : {"k", "bad"}) {
        Run(word);
        EXPECT_EQ(Status(), kConfused) << word;
    }
    // A header's name runs from its first '[' to its first ']'.
    EXPECT_EQ(platform->profiles.GetString(std::string(99999, '[') + "cmds", "k", "", 255, Path("zindle.ini")),
              "%%msg deep");

    std::string expected = ReadFile("zindle.ini");
    expected.insert(expected.find("\n[\n]\n") + 1, "x]=%%msg bracket\n");
    Run("%%save x] %%msg bracket");
    Run("x]");
    EXPECT_EQ(Status(), "bracket");
    Run("%%save [x %%msg never");
    EXPECT_EQ(Status(), "Error performing '%%save [x %%msg never'") << "a key starting with '[' reads as a header";
    EXPECT_TRUE(Failed());
    EXPECT_TRUE(ReadFile("zindle.ini") == expected);
    EXPECT_TRUE(expected.starts_with(deep + "\nk=%%msg deep\n[cmds]\nok=%%msg ok\n"));
}

TEST_F(HostileFilesTest, EveryControlCharacterIsStoredAndRunAsItIs) {
    std::string controls;
    for (char c = 1; c < 32; ++c) {
        if (c != '\r' && c != '\n') controls += c;
    }
    controls += '\x7F';
    const std::string word = "ctl" + controls;
    ASSERT_TRUE(Start("[cmds]\n" + word + "=%%msg <" + controls + ">\nnul\0word=%%msg nul\n"s));
    Run(word);
    EXPECT_EQ(Status(), "<" + controls + ">");
    Run("nul\0word"s);
    EXPECT_EQ(Status(), "nul");

    Run("%%save c2 %%msg " + controls);
    Run("c2");
    EXPECT_EQ(Status(), controls);
    const std::string before = ReadFile("zindle.ini");
    for (const std::string& broken : {"a\rb"s, "a\nb"s, "a\r\nb"s}) {
        Run("%%save c3 " + broken);
        EXPECT_EQ(Status(), "Error performing '%%save c3 " + broken + "'") << "a line break cannot be stored";
        EXPECT_TRUE(Failed());
    }
    EXPECT_EQ(ReadFile("zindle.ini"), before);

    // History entries: a line break or a NUL cannot be one line, the rest round-trips.
    program->history.gHistory = {controls, "a\0b"s, "x\ny", "ok"};
    ASSERT_TRUE(Restart());
    EXPECT_EQ(program->history.gHistory, (std::vector<std::string>{controls, "ok"}));
}

TEST_F(HostileFilesTest, InvalidUtf8IsReadAsWindows1252AndNeverWritten) {
    const std::string bad = "\xff\xfe\xc3\x28\xed\xa0\x80\xc0\xaf\xf8\x88\x80\x80\x80\xe2\x82";
    ASSERT_TRUE(Start("[cmds]\nu" + bad + "=%%msg " + bad + "\nswap=%%parse %%msg %%2|%%1||\n"));
    Run("u" + Windows1252ToUtf8(bad));
    EXPECT_EQ(Status(), Windows1252ToUtf8(bad));
    // Typed bytes that are not UTF-8 run, show and expand as they are...
    Run("swap " + bad + " x");
    EXPECT_EQ(Status(), "x|" + bad);
    Run("%%forget " + bad);
    EXPECT_EQ(Status(), "No match found to Forget");
    Run("%%forgetlike *" + bad + "*");
    EXPECT_EQ(Status(), "Nothing found to Forget");
    // ...but cannot be stored in a file read as text.
    const std::string before = ReadFile("zindle.ini");
    Run("%%save w %%msg " + bad);
    EXPECT_EQ(Status(), "Error performing '%%save w %%msg " + bad + "'");
    EXPECT_EQ(ReadFile("zindle.ini"), before);

    program->history.gHistory = {bad, "run " + bad, "ok"};
    ASSERT_TRUE(Restart());
    EXPECT_EQ(program->history.gHistory, (std::vector<std::string>{"ok"}));
    program->history.gHistory = {bad, "run " + bad};
    // Walking the history and completing against it.
    HeadlessTextBox* box = platform->windows.FindTextBox("Form1", "txtCmd");
    ASSERT_NE(box, nullptr);
    box->PressKey(KeyName::Up);
    EXPECT_TRUE(box->Text() == bad || box->Text() == "run " + bad) << box->Text();
    box->PressKey(KeyName::Escape);
    for (const char32_t c : {U'r', U'u', U'n', U' ', char32_t{0xDCFF}, char32_t{0xFFFD}}) box->TypeCharacter(c);
    box->PressKey(KeyName::Enter);
    EXPECT_FALSE(program->Ended());
}

TEST_F(HostileFilesTest, Utf16FilesAreReadAsNothingAndNeverWritten) {
    const std::string ini = Utf16File("[cmds]\r\nhi=%%msg hello\r\n");
    const std::string history = Utf16File("[history]\r\ncount=1\r\n1=hi\r\n");
    WriteFile("zindle.ini", ini);
    WriteFile("history.ini", history);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(program->history.gHistory.empty());
    Run("hi");
    EXPECT_EQ(Status(), kConfused);
    Run("%%save w %%msg w");
    EXPECT_EQ(Status(), "Error performing '%%save w %%msg w'");
    EXPECT_TRUE(Failed());
    Run("%%msg still running");
    EXPECT_EQ(Status(), "still running");
    Quit();
    EXPECT_EQ(ReadFile("zindle.ini"), ini) << "ANSI lines among UTF-16 text would ruin the file";
    EXPECT_EQ(ReadFile("history.ini"), history);
}

}  // namespace
}  // namespace zindle
