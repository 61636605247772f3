// Which hotkey identifiers the hook acts on: the main one, each of the six
// custom ones with its own word, and nothing beyond them.

#include "hotkey_fixture.h"

namespace zindle {
namespace {

TEST_F(HotkeyTest, EachCustomHotkeyRunsItsOwnWordAndLaterIdsAreOnlyPassedOn) {
    std::string ini = "[cmds]\n";
    for (int n = 1; n <= 6; ++n) ini += "$hotkey" + std::to_string(n) + "=%%noop\n";
    ini += "[cfg]\nUseMain=no\n";
    for (int n = 1; n <= 6; ++n) {
        const std::string digit = std::to_string(n);
        ini += "Use" + digit + "=yes\nKey" + digit + "=" + std::to_string(64 + n) + "\n";
    }
    HotkeyRig& r = Start(ini);
    r.hotkeys.RegisterHotkeys();
    r.platform.system.SetClipboardText("clip");
    for (int n = 1; n <= 6; ++n) {
        r.interpreter.gLastUserCommand.clear();
        Press(n);
        EXPECT_EQ(r.interpreter.gLastUserCommand, "$hotkey" + std::to_string(n) + " clip");
        EXPECT_EQ(r.lblMsg->Text(), "Zindle - OK") << n;
    }
    r.lblMsg->SetText("");
    for (const int id : {7, 8, 0xBFFF}) {
        r.interpreter.gLastUserCommand.clear();
        Press(id);
        EXPECT_EQ(r.interpreter.gLastUserCommand, "") << id;
        EXPECT_EQ(r.lblMsg->Text(), "") << id;
    }
}

}  // namespace
}  // namespace zindle
