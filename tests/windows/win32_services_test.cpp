// The Win32 services the core relies on, against the real system calls.

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_api.h"
#include "frontends/win32/win32_pictures.h"
#include "frontends/win32/win32_shell.h"
#include "frontends/win32/win32_system.h"
#include "frontends/win32/win32_window_manager.h"
#include "resources/resources.h"
#include "temp_dir.h"

namespace zindle::test {
namespace {

TEST(WideText, ConvertsBothWaysAndCountsCharactersAcrossSurrogatePairs) {
    const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80z";  // a, é, an emoji (two UTF-16 units), z
    const std::wstring wide = Widen(text);
    ASSERT_EQ(wide.size(), 5u);
    EXPECT_EQ(Narrow(wide), text);
    EXPECT_EQ(Utf16Index(wide, 3), 4);  // after the emoji
    EXPECT_EQ(Utf16Index(wide, 99), 5);
    EXPECT_EQ(CharacterIndex(wide, 4), 3);
    EXPECT_EQ(CharacterIndex(wide, -1), 0);
}

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key_).c_str()); }
    std::string key_ = "Software\\ZindleTest\\" + std::to_string(std::random_device{}());
    Win32System system_{""};
};

TEST_F(RegistryTest, BinaryBlocksRoundTripAndOtherTypesReadAsMissing) {
    EXPECT_FALSE(system_.ReadRegistryBinary(key_).has_value());
    const std::vector<std::uint8_t> block(90, 0xA5);
    ASSERT_TRUE(system_.WriteRegistryBinary(key_, block));
    EXPECT_EQ(system_.ReadRegistryBinary(key_), block);

    // A text value where the block belongs is not a block.
    const wchar_t text[] = L"not a block";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Widen(key_).c_str(), nullptr, REG_SZ, text, sizeof text),
              ERROR_SUCCESS);
    EXPECT_FALSE(system_.ReadRegistryBinary(key_).has_value());
}

TEST(Win32Pictures, ResourcesDecodeAndFilesThatAreNoPictureDoNot) {
    // The imaging component is a COM server, as in the program.
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    for (const char* name : {"UP-NORMAL", "SPLASH"}) {
        const auto bytes = ResourceBytes(name);
        ASSERT_TRUE(bytes) << name;
        const PicturePtr picture = DecodePictureBytes(*bytes, name);
        ASSERT_TRUE(picture) << name;
        EXPECT_GT(picture->WidthPixels(), 0);
        EXPECT_EQ(picture->Source(), name);
    }
    TempDir dir;
    WriteBytes(dir.File("fake.bmp"), "BM this is text");
    EXPECT_EQ(DecodePictureFile(dir.File("fake.bmp")), nullptr);
    EXPECT_EQ(DecodePictureFile(dir.File("missing.png")), nullptr);
    EXPECT_EQ(DecodePictureBytes({}, "empty"), nullptr);
}

TEST(Win32Shell, ResultCodesAndOnlyWhatStartedIsTraced) {
    TempDir dir;
    std::vector<std::string> arguments{"--trace", dir.File("trace.txt")};
    std::vector<std::string> lines;
    {
        TraceFile trace(arguments);
        Win32Shell shell(trace);
        EXPECT_EQ(shell.OpenTarget(dir.File("missing.txt")), 2);
        // Windows documents 3 for a missing folder; Wine 8 answers 2.
        const int missingFolder = shell.OpenTarget(dir.File("no\\missing.txt"));
        EXPECT_TRUE(missingFolder == 2 || missingFolder == 3) << missingFolder;
        EXPECT_EQ(shell.OpenTarget(std::string("a\0b", 3)), 2);
        EXPECT_FALSE(shell.RunProgram("zindle-no-such-program.exe arg"));
        EXPECT_FALSE(shell.RunProgram("   "));
        EXPECT_TRUE(shell.RunProgram("cmd.exe /c exit"));
    }
    std::ifstream in(dir.File("trace.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_EQ(lines, std::vector<std::string>{"exec: cmd.exe /c exit"});
}

// A program known to the shell only by its App Paths entry, as Office and
// the browsers are, starts by its name with its parameters.
TEST(Win32Shell, ProgramsRegisteredOnlyUnderAppPathsStart) {
    TempDir dir;
    const std::wstring name = L"zindle-app-paths-probe.exe";
    const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name;
    wchar_t cmd[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(cmd, MAX_PATH), 0u);
    const std::wstring target = std::wstring(cmd) + L"\\cmd.exe";
    const auto bytes = static_cast<DWORD>((target.size() + 1) * sizeof(wchar_t));
    // Windows reads the user's entries; Wine 8 only the machine's.
    std::vector<HKEY> roots;
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        if (RegSetKeyValueW(root, key.c_str(), nullptr, REG_SZ, target.c_str(), bytes) == ERROR_SUCCESS) {
            roots.push_back(root);
        }
    }
    ASSERT_FALSE(roots.empty());
    const std::string marker = dir.File("started.txt");
    std::vector<std::string> noTrace;
    TraceFile trace(noTrace);
    Win32Shell shell(trace);
    const bool started = shell.RunProgram(Narrow(name) + " /c echo started> \"" + marker + "\"");
    for (int wait = 0; wait < 100 && GetFileAttributesW(Widen(marker).c_str()) == INVALID_FILE_ATTRIBUTES; ++wait) {
        ::Sleep(50);
    }
    for (const HKEY root : roots) RegDeleteTreeW(root, key.c_str());
    EXPECT_TRUE(started);
    EXPECT_NE(GetFileAttributesW(Widen(marker).c_str()), INVALID_FILE_ATTRIBUTES) << "the parameters reached it";
}

// An installed copy's own folder gets the samples and the guide, and what
// the user changed there stays.
TEST(Win32ProgramDirectory, SeedingCopiesSkinsAndGuideAndOverwritesNothing) {
    TempDir dir;
    namespace fs = std::filesystem;
    const fs::path install = fs::path(Widen(dir.File("install")));
    const fs::path own = fs::path(Widen(dir.File("own")));
    const auto write = [](const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    };
    const auto read = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    write(install / "skins" / "midnight" / "skin.ini", "sample");
    write(install / "skins" / "midnight" / "run.bmp", "picture");
    write(install / "readme.txt", "guide");
    write(own / "skins" / "midnight" / "skin.ini", "the user's");

    EXPECT_TRUE(SeedProgramDirectory(install.wstring(), own.wstring()));
    EXPECT_EQ(read(own / "skins" / "midnight" / "skin.ini"), "the user's");
    EXPECT_EQ(read(own / "skins" / "midnight" / "run.bmp"), "picture");
    EXPECT_EQ(read(own / "readme.txt"), "guide");
    write(own / "readme.txt", "notes");
    EXPECT_TRUE(SeedProgramDirectory(install.wstring(), own.wstring()));
    EXPECT_EQ(read(own / "readme.txt"), "notes");
}

// Wine's desktop has one monitor: it is the primary, at the virtual
// screen's origin, named as a display device, and its work area lies in it.
TEST(Win32Monitors, EveryMonitorComesWithItsDeviceNameAndWorkArea) {
    ScreenScale scale;
    Win32WindowManager manager(scale);
    const std::vector<Monitor> monitors = manager.Monitors();
    ASSERT_FALSE(monitors.empty());
    const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
    ASSERT_NE(primary, monitors.end());
    EXPECT_EQ(primary->bounds, (RectPx{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    EXPECT_EQ(primary->workArea, manager.WorkArea());
    for (const Monitor& monitor : monitors) {
        EXPECT_EQ(monitor.name.rfind("\\\\.\\DISPLAY", 0), 0u) << monitor.name;
        EXPECT_GE(monitor.workArea.left, monitor.bounds.left);
        EXPECT_LE(monitor.workArea.bottom, monitor.bounds.bottom);
    }
}

TEST(Win32Clipboard, TextComesOutAsUtf8AndOtherDataAsNothing) {
    Win32System system("");
    const auto put = [](UINT format, const void* data, std::size_t size) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(block), data, size);
        GlobalUnlock(block);
        SetClipboardData(format, block);
        CloseClipboard();
    };
    const wchar_t text[] = L"h\u00e9llo";
    put(CF_UNICODETEXT, text, sizeof text);
    EXPECT_EQ(system.ClipboardText(), "h\xC3\xA9llo");
    const char bytes[] = {1, 2, 3};
    put(RegisterClipboardFormatW(L"Zindle.Test.Binary"), bytes, sizeof bytes);
    EXPECT_EQ(system.ClipboardText(), "");
}

}  // namespace
}  // namespace zindle::test
