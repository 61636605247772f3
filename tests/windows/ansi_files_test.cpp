// INI files in the ANSI code page, as Windows' own profile functions write
// them, read and written by the engine the program uses. The code page is
// the system's: ctest runs these cases once more under Wine with a Cyrillic
// locale (code page 1251).

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "profile/history_file.h"
#include "profile/private_profile_engine.h"
#include "profile/profile_store.h"
#include "temp_dir.h"

namespace zindle {
namespace {

// Text the code page holds, as UTF-8 and as the code page's bytes, and text
// it lacks.
struct CodePageTexts {
    std::string native;
    std::string nativeBytes;
    std::string foreign;
};

bool TextsFor(UINT codePage, CodePageTexts& texts) {
    switch (codePage) {
        case 1251: texts = {"Привет", "\xCF\xF0\xE8\xE2\xE5\xF2", "café"}; return true;
        case 1252: texts = {"café", "caf\xE9", "Привет"}; return true;
        default: return false;
    }
}

class AnsiFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The run in another locale makes sure it got that locale's code page.
        if (const char* expected = std::getenv("ZINDLE_EXPECTED_CODE_PAGE")) {
            ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
        }
        if (!TextsFor(GetACP(), texts_)) GTEST_SKIP() << "no sample texts for code page " << GetACP();
    }

    CodePageTexts texts_;
    TempDir dir_;
    std::string path_ = dir_.File("zindle.ini");
};

TEST_F(AnsiFilesTest, AreReadAndWrittenInTheSystemCodePage) {
    const std::string untouched = "; " + texts_.nativeBytes + "\r\n[cmds]\r\nold=" + texts_.nativeBytes + "\r\n";
    WriteBytes(path_, untouched);
    PrivateProfileEngine engine;
    EXPECT_EQ(engine.GetString("cmds", "old", "", 255, path_), texts_.native);

    ASSERT_TRUE(engine.WriteString("cmds", "new", texts_.native, path_));
    EXPECT_EQ(ReadBytes(path_), untouched + "new=" + texts_.nativeBytes + "\r\n") << "every other byte as it was";

    // Windows would write '?' for what the code page lacks: the write fails instead.
    EXPECT_FALSE(engine.WriteString("cmds", "lost", texts_.foreign, path_));
    EXPECT_EQ(ReadBytes(path_), untouched + "new=" + texts_.nativeBytes + "\r\n");
}

TEST_F(AnsiFilesTest, HistoryKeepsEveryEntryTheFileCanHoldAcrossARestart) {
    const std::vector<std::string> entries = {texts_.native + " 1", texts_.foreign, texts_.native + " 2"};
    const std::string ansiPath = dir_.File("history.ini");
    WriteBytes(ansiPath, "; " + texts_.nativeBytes + "\r\n");
    const std::string newPath = dir_.File("new-history.ini");
    {
        PrivateProfileEngine engine;
        ProfileStore store(engine);
        EXPECT_TRUE(SaveHistoryFile(store, ansiPath, entries));
        EXPECT_TRUE(SaveHistoryFile(store, newPath, entries));
    }
    PrivateProfileEngine engine;  // the next run
    ProfileStore store(engine);
    EXPECT_EQ(LoadHistoryFile(store, ansiPath), (std::vector<std::string>{texts_.native + " 1", texts_.native + " 2"}));
    EXPECT_EQ(LoadHistoryFile(store, newPath), entries) << "a new file is UTF-8 and holds everything";
    EXPECT_TRUE(ReadBytes(newPath).starts_with("[history]\ncount=3\n1=" + entries[0]));
}

}  // namespace
}  // namespace zindle
