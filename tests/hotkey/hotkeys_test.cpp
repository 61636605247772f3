#include <utility>

#include "hotkey_fixture.h"

namespace zindle {
namespace {

const char* const kCommands =
    "[cmds]\n"
    "$hotkey1=%%msg\n"
    // %%noop ends the chain of user words: the message is typed at depth 0,
    // where the failure of a hotkey arriving meanwhile counts as a failure.
    "$hotkey3=%%macro %%noop|%%msg hello there\n";

std::string CustomBox(int n) {
    return "msgbox: Can't register hotkey | Custom Hotkey " + std::to_string(n) +
           " is either in use or can't be used | none | ok";
}

// Counts the messages that reach it (activation, which the actions cause,
// aside), then answers 42 or passes them on to *previous.
struct Recorder {
    int seen = 0;
    WindowProc Procedure(WindowProc* previous = nullptr) {
        return [this, previous](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
            if (message != kWmActivate) ++seen;
            return previous ? (*previous)(message, wParam, lParam) : 42;
        };
    }
};

TEST_F(HotkeyTest, RegistersTheEnabledHotkeysWithTheSystemsModifiers) {
    Start().hotkeys.RegisterHotkeys();
    EXPECT_EQ(Held(), "0:122+0 hook");
    // Stored Shift 1, Ctrl 2, Alt 4 are the system's 4, 2, 1; other bits mean nothing.
    Start("[cfg]\nUseMain=no\nUse1=yes\nKey1=65\nShift1=3\nUse2=yes\nKey2=66\nShift2=4\n"
          "Use3=yes\nKey3=67\nShift3=8\nUse6=yes\nKey6=68\nShift6=-1\n")
        .hotkeys.RegisterHotkeys();
    EXPECT_EQ(Held(), "1:65+6 2:66+1 3:67+0 6:68+7 hook");
    EXPECT_EQ(events, Events{});
}

TEST_F(HotkeyTest, DevAnotherInstanceOrNothingEnabledLeavesNoTrace) {
    Start("", "DEV").hotkeys.RegisterHotkeys();
    EXPECT_EQ(Held(), "-");
    Start("", "", true).hotkeys.RegisterHotkeys();
    EXPECT_EQ(Held(), "-");
    for (const char* line : {"dev", "DEV ", "/multi DEV"}) {
        Start("", line).hotkeys.RegisterHotkeys();
        EXPECT_EQ(Held(), "0:122+0 hook") << line;
    }
    Start("[cfg]\nUseMain=no\n").hotkeys.RegisterHotkeys();
    EXPECT_EQ(Held(), "-");
    EXPECT_EQ(events, Events{});
}

TEST_F(HotkeyTest, RefusedHotkeysAreReportedOnceAndDisabled) {
    HotkeyRig& r = Start("[cfg]\nUse2=yes\nKey2=66\nUse4=yes\nKey4=0\n");
    r.platform.windows.Hotkeys().Take(122, 0);
    r.hotkeys.RegisterHotkeys();
    EXPECT_EQ(events, (Events{"msgbox: Can't register main hotkey | Main hotkey is either in use or can't be "
                              "used | none | ok",
                              CustomBox(4)}));
    EXPECT_EQ(Held(), "2:66+0 hook");
    EXPECT_FALSE(r.settings.gUseMainHotkey || r.settings.gCustomHotkeys[3].enabled);

    // Nothing registered at all: the hook does not stay behind.
    Start("[cfg]\nUseMain=no\nUse5=yes\n").hotkeys.RegisterHotkeys();
    EXPECT_EQ(events, Events{CustomBox(5)});
    EXPECT_EQ(Held(), "-");
}

TEST_F(HotkeyTest, RegisteringAgainDoesNotFindItsOwnKeysTaken) {
    Hotkeys& hotkeys = Start("[cfg]\nUse1=yes\nKey1=65\n").hotkeys;
    hotkeys.RegisterHotkeys();
    hotkeys.RegisterHotkeys();
    EXPECT_EQ(Held(), "0:122+0 1:65+0 hook");
    hotkeys.UnregisterHotkeys();
    hotkeys.UnregisterHotkeys();
    EXPECT_EQ(Held(), "-");
    EXPECT_EQ(events, Events{});
}

TEST_F(HotkeyTest, HookActsThenPassesEveryMessageOn) {
    HotkeyRig& r = Start();
    Recorder earlier;
    WindowProc original = r.bar->Native().SetWindowProc(earlier.Procedure());
    r.hotkeys.RegisterHotkeys();
    r.hotkeys.InstallHotkeyHook();
    EXPECT_EQ(Press(0), 42);
    EXPECT_EQ(Press(7), 42);
    EXPECT_EQ(r.bar->Native().SendMessage(kWmTimer, 5, 0), 42);
    EXPECT_EQ(earlier.seen, 3);
    EXPECT_EQ(r.platform.windows.ActiveWindow(), r.bar->Native().Handle());
    EXPECT_TRUE(dynamic_cast<HeadlessTextBox&>(*r.txtCmd).HasFocus());

    // Removed in reverse order: the earlier procedure is in front again.
    r.hotkeys.UnregisterHotkeys();
    r.hotkeys.RemoveHotkeyHook();
    EXPECT_EQ(r.bar->Native().SetWindowProc(std::move(original))(kWmHotkey, 1, 0), 42);
    EXPECT_EQ(earlier.seen, 4);
}

TEST_F(HotkeyTest, RemovalBehindALaterProcedureKeepsTheChainWhole) {
    HotkeyRig& r = Start(kCommands + std::string("[cfg]\nUse1=yes\nKey1=65\n"));
    Recorder earlier;
    Recorder later;
    r.bar->Native().SetWindowProc(earlier.Procedure());
    r.hotkeys.RegisterHotkeys();
    WindowProc behindLater;
    behindLater = r.bar->Native().SetWindowProc(later.Procedure(&behindLater));

    // Ours cannot leave without cutting the later one off: it stays, inert.
    r.hotkeys.UnregisterHotkeys();
    EXPECT_EQ(Held(), "-");
    EXPECT_EQ(Press(1), 42);
    EXPECT_EQ(later.seen + earlier.seen, 2);
    EXPECT_EQ(r.interpreter.gLastUserCommand, "");

    // The later one leaves; registering again wakes ours where it is, and
    // then, in front, it leaves cleanly.
    r.bar->Native().SetWindowProc(behindLater);
    r.hotkeys.RegisterHotkeys();
    EXPECT_EQ(Press(1), 42);
    EXPECT_EQ(r.interpreter.gLastUserCommand, "$hotkey1 ");
    r.hotkeys.UnregisterHotkeys();
    EXPECT_EQ(r.bar->Native().SetWindowProc(nullptr)(kWmHotkey, 0, 0), 42);
    EXPECT_EQ(earlier.seen, 3);
}

TEST_F(HotkeyTest, CustomHotkeyRunsItsWordWithTheClipboard) {
    HotkeyRig& r = Start(kCommands + std::string("[cfg]\nokmsg=All fine\nUse1=yes\nKey1=65\nUse2=yes\nKey2=66\n"));
    r.hotkeys.RegisterHotkeys();
    r.platform.system.SetClipboardText("abc");
    Press(1);
    EXPECT_EQ(r.interpreter.gLastUserCommand, "$hotkey1 abc");
    EXPECT_EQ(r.lblMsg->Text(), "All fine");
    EXPECT_EQ(r.lblMsg->ForeColor(), kNormalColour);
    EXPECT_FALSE(r.txtCmd->ReadOnly());

    r.platform.system.SetClipboardText("");
    Press(1);
    EXPECT_EQ(r.interpreter.gLastUserCommand, "$hotkey1 ");
    // $hotkey2 has no entry; a later success does not keep its error.
    Press(2);
    EXPECT_EQ(r.lblMsg->Text(), "Error trying '$hotkey2'");
    Press(1);
    EXPECT_EQ(r.lblMsg->Text(), "All fine");
}

TEST_F(HotkeyTest, ACommandFailingDeeperDownIsReportedAsAFailure) {
    HotkeyRig& r = Start("[cmds]\n$hotkey1=launch\nlaunch=%%exe /nonexistent/prog\n[cfg]\nUse1=yes\nKey1=65\n");
    r.hotkeys.RegisterHotkeys();
    Press(1);
    EXPECT_EQ(r.lblMsg->Text(), "Error trying '$hotkey1'");
    EXPECT_FALSE(r.interpreter.gCommandFailed) << "two levels down, as the dispatcher counts it";
}

TEST_F(HotkeyTest, HotkeyDuringAnotherHotkeysCommandLeavesThatOneItsOutcome) {
    HotkeyRig& r = Start(kCommands + std::string("[cfg]\nUse2=yes\nKey2=66\nUse3=yes\nKey3=67\n"));
    r.hotkeys.RegisterHotkeys();
    // Hotkey 2 (no entry: it fails) arrives while hotkey 3 types its message.
    std::unique_ptr<Timer> arrival = r.bar->CreateTimer("arrival");
    Events afterInner;
    arrival->SetInterval(40);
    arrival->SetHandler([&] {
        arrival->SetEnabled(false);
        Press(2);
        afterInner = {r.lblMsg->Text(), r.txtCmd->ReadOnly() ? "locked" : "unlocked",
                      r.lblMsg->ForeColor() == kWorkingColour ? "busy" : "normal"};
    });
    arrival->SetEnabled(true);
    Press(3);
    EXPECT_EQ(afterInner, (Events{"Error trying '$hotkey2'", "locked", "busy"}));
    EXPECT_EQ(r.lblMsg->Text(), "Zindle - OK");
    EXPECT_FALSE(r.interpreter.gCommandFailed);
    EXPECT_FALSE(r.txtCmd->ReadOnly());
}

TEST_F(HotkeyTest, CustomHotkeyCanOpenTheOptionsDialog) {
    Start("[cmds]\n$hotkey1=%%options\n[cfg]\nUse1=yes\nKey1=65\n").hotkeys.RegisterHotkeys();
    Events whileOpen;
    OnModal([&](HeadlessWindow&) {
        whileOpen.push_back(Held());
        Box("txtCustom(1)").ReleaseKey(70, kCtrlMask);
        ClickDone();
    });
    Press(1);
    EXPECT_EQ(Held(), "0:122+0 1:70+2 hook");
    // The hook came back whole: the next press opens the dialog again.
    Press(1);
    EXPECT_EQ(whileOpen, (Events{"-", "-"}));
}

}  // namespace
}  // namespace zindle
