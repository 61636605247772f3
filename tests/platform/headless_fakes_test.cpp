#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frontends/headless/headless_platform.h"
#include "platform/posix/launch_checks.h"
#include "temp_dir.h"

namespace zindle {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class HeadlessFakes : public ::testing::Test {
protected:
    HeadlessFakes()
        : platform_(HeadlessOptions{dir_.Path().string() + "/", "/multi", false, kDefaultStartTime},
                    [this](const std::string& line) { output_.push_back(line); }) {}

    TempDir dir_;
    Lines output_;
    HeadlessPlatform platform_;
};

TEST_F(HeadlessFakes, MessageBoxesAreWrittenOutAndAnsweredFromTheQueue) {
    Dialogs& dialogs = platform_.Bundle().dialogs;
    EXPECT_EQ(
        dialogs.MessageBox("one\r\ntwo\rthree\nfour", "Zindle", MessageIcon::Critical, MessageButtons::Ok),
        MessageAnswer::Ok);
    EXPECT_EQ(output_, Lines{"msgbox: Zindle | one\\ntwo\\nthree\\nfour | critical | ok"});

    platform_.dialogs.QueueAnswer(MessageAnswer::No);
    platform_.dialogs.QueueAnswer(MessageAnswer::No);
    platform_.dialogs.QueueAnswer(MessageAnswer::Ok);
    EXPECT_EQ(dialogs.MessageBox("Sure?", "Q", MessageIcon::Question, MessageButtons::YesNo),
              MessageAnswer::No);
    // An answer that is not among the buttons is used up; the first button answers.
    EXPECT_EQ(dialogs.MessageBox("", "", MessageIcon::None, MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(dialogs.MessageBox("", "", MessageIcon::Exclamation, MessageButtons::YesNo),
              MessageAnswer::Yes);
    EXPECT_EQ(dialogs.MessageBox("", "", MessageIcon::Information, MessageButtons::YesNo),
              MessageAnswer::Yes);
    EXPECT_EQ(output_.back(), "msgbox:  |  | information | yesno");
}

TEST_F(HeadlessFakes, ShellReportsWhatWouldHaveStarted) {
    Shell& shell = platform_.Bundle().shell;
    const std::string file = (dir_.Path() / "doc.txt").string();
    std::ofstream(file) << "x";

    EXPECT_EQ(shell.OpenTarget(file), 33);
    EXPECT_EQ(shell.OpenTarget("http://example.com/?q=a+b"), 33);
    EXPECT_EQ(shell.OpenTarget(file + ".missing"), 2);
    EXPECT_EQ(shell.OpenTarget((dir_.Path() / "no" / "doc.txt").string()), 3);
    EXPECT_TRUE(shell.RunProgram("\"" + file + "\" --flag \"a b\""));
    EXPECT_FALSE(shell.RunProgram("zindle-no-such-program-here arg"));
    EXPECT_FALSE(shell.RunProgram("  "));
    shell.PlaySoundFile("ding.wav");

    EXPECT_EQ(output_,
              (Lines{"open: " + file, "open: http://example.com/?q=a+b",
                     "exec: \"" + file + "\" --flag \"a b\"", "sound: ding.wav"}));
    // A program found on PATH; Windows (Wine) has no sh to find.
    if (FindProgram("sh")) {
        EXPECT_TRUE(shell.RunProgram("sh -c true"));
        EXPECT_EQ(output_.back(), "exec: sh -c true");
    }
}

TEST_F(HeadlessFakes, HotkeysAreRegisteredLikeWindowsDoes) {
    auto bar = platform_.windows.CreateWindow("Form1", "Zindle", WindowKind::Bar);
    auto other = platform_.windows.CreateWindow("Other", "Other", WindowKind::Dialog);
    NativeWindow& window = bar->Native();
    HeadlessHotkeyTable& table = platform_.windows.Hotkeys();
    table.Take(0x7A, 2);
    EXPECT_TRUE(window.RegisterHotkey(3, 0x7A, 0));
    EXPECT_TRUE(window.RegisterHotkey(1, 0x41, 4 | 2));
    EXPECT_FALSE(window.RegisterHotkey(1, 0x42, 0));  // id in use on this window
    EXPECT_TRUE(other->Native().RegisterHotkey(1, 0x42, 0));  // ids are per window
    other->Native().UnregisterHotkey(1);
    EXPECT_FALSE(window.RegisterHotkey(2, 0x7A, 0));  // keys in use here
    EXPECT_FALSE(other->Native().RegisterHotkey(2, 0x7A, 0));  // also for another window
    EXPECT_FALSE(window.RegisterHotkey(2, 0x7A, 2));  // keys held by another program
    EXPECT_FALSE(window.RegisterHotkey(2, 0, 0));     // not a key
    EXPECT_FALSE(window.RegisterHotkey(2, 255, 0));
    EXPECT_FALSE(window.RegisterHotkey(2, -1, 0));
    EXPECT_TRUE(window.RegisterHotkey(2, 0x7B, 1));
    EXPECT_TRUE(window.RegisterHotkey(5, 254, 0));
    window.UnregisterHotkey(5);
    EXPECT_EQ(table.Registrations(),
              (std::vector<HotkeyRegistration>{{1, 0x41, 6}, {2, 0x7B, 1}, {3, 0x7A, 0}}));

    window.UnregisterHotkey(1);
    window.UnregisterHotkey(9);
    other->Native().UnregisterHotkey(2);  // not its hotkey
    EXPECT_TRUE(window.RegisterHotkey(4, 0x41, 6));
    EXPECT_EQ(table.Registrations(),
              (std::vector<HotkeyRegistration>{{2, 0x7B, 1}, {3, 0x7A, 0}, {4, 0x41, 6}}));

    bar->Close();  // a destroyed window loses its hotkeys
    EXPECT_TRUE(table.Registrations().empty());
    EXPECT_FALSE(window.RegisterHotkey(1, 0x41, 0));
}

TEST_F(HeadlessFakes, RegistryValuesAreFilesUnderTheProgramDirectory) {
    System& system = platform_.Bundle().system;
    EXPECT_EQ(system.ProgramDirectory(), dir_.Path().string());  // given with a trailing '/'
    const std::string key = R"(Software\Orvane\Zindle)";
    EXPECT_EQ(system.ReadRegistryBinary(key), std::nullopt);

    std::vector<std::uint8_t> block(90);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(i * 37);
    }
    block[5] = '\n';
    block[6] = 0;
    ASSERT_TRUE(system.WriteRegistryBinary(key, block));
    EXPECT_EQ(system.ReadRegistryBinary(key), block);
    const fs::path file = dir_.Path() / "registry" / "Software" / "Orvane" / "Zindle" / "(default)";
    EXPECT_EQ(fs::file_size(file), 90u);

    ASSERT_TRUE(system.WriteRegistryBinary(key, {1, 2}));
    EXPECT_EQ(system.ReadRegistryBinary(key), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);

    for (const std::string bad : {R"(Software\..\..\x)", R"(Software\\x)", "", "a/b", R"(Software\)"}) {
        EXPECT_FALSE(system.WriteRegistryBinary(bad, {1})) << bad;
        EXPECT_EQ(system.ReadRegistryBinary(bad), std::nullopt) << bad;
    }
}

TEST_F(HeadlessFakes, FlashIsReportedWhenALabelTakesItsWindowsBackColour) {
    auto bar = platform_.windows.CreateWindow("Form1", "", WindowKind::Bar);
    auto status = bar->CreateLabel("lblMsg");
    Lines flashes;
    platform_.windows.SetFlashHandler(
        [&](const HeadlessLabel& label) { flashes.push_back(label.WindowName() + "." + label.Name()); });

    const Colour back = MakeColour(0, 0, 128);
    const Colour text = MakeColour(255, 255, 0);
    bar->SetBackColor(back);
    status->SetForeColor(text);
    status->SetForeColor(back);
    status->SetForeColor(back);  // already the same: no second flash
    status->SetForeColor(text);
    status->SetForeColor(back);
    bar->SetBackColor(text);  // only the label's own colour change counts
    EXPECT_EQ(flashes, (Lines{"Form1.lblMsg", "Form1.lblMsg"}));
}

TEST_F(HeadlessFakes, AClosedWindowsTimersStop) {
    auto bar = platform_.windows.CreateWindow("Form1", "", WindowKind::Bar);
    auto timer = bar->CreateTimer("tmrClock");
    int ticks = 0;
    timer->SetInterval(1000);
    timer->SetHandler([&] { ++ticks; });
    timer->SetEnabled(true);
    platform_.time.Wait(2500);
    bar->Close();
    platform_.time.Wait(5000);
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace zindle
