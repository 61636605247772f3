#include "hotkey_fixture.h"

namespace zindle {
namespace {

std::string Shown(HeadlessTextBox& box, HeadlessCheckBox& check) {
    return box.Text() + (check.Checked() ? " on" : " off");
}

TEST_F(HotkeyTest, DialogShowsTheSettingsAndAProgramCloseRegistersNothing) {
    Start("[cfg]\nUse3=yes\nKey3=65\nShift3=6\nCaseSens=yes\n").hotkeys.RegisterHotkeys();
    Events seen;
    OnModal([&](HeadlessWindow& dialog) {
        seen = {dialog.Caption() + " " + Held(), Shown(Box("txtKey1"), Check("chkEnable1")),
                Shown(Box("txtCustom(1)"), Check("chkCustom(1)")),
                Shown(Box("txtCustom(3)"), Check("chkCustom(3)")),
                Shown(Box("txtCustom(6)"), Check("chkCaseSens")),
                std::to_string(Box("txtCustom(6)").Left()) + "," + std::to_string(Box("txtCustom(6)").Top())};
    });
    // The loop returns with the dialog open: it closes as the program closes it.
    rig->options.ShowHotkeyOptions();
    EXPECT_EQ(seen, (Events{"%%options -", "122, on", "0, off", "65,CA on", "0, on", "3480,3360"}));
    EXPECT_EQ(events, Events{});
    EXPECT_EQ(Held(), "-");
    EXPECT_EQ(rig->platform.windows.FindWindow("frmOptions"), nullptr);
}

TEST_F(HotkeyTest, KeyBoxesTakeTheCombinationAtTheKeysRelease) {
    Start();
    Events shown;
    OnModal([&](HeadlessWindow&) {
        HeadlessTextBox& box = Box("txtCustom(3)");
        // Ctrl+Alt+K, K released first, then the modifiers.
        box.ReleaseKey(75, kCtrlMask | kAltMask);
        box.ReleaseKey(17, kAltMask);
        box.ReleaseKey(18, 0);
        shown.push_back(box.Text());
        box.ReleaseKey(75, 0);
        shown.push_back(box.Text());
        Box("txtKey1").ReleaseKey(16, kShiftMask);
        box.ReleaseKey(90, kShiftMask | 8);
        shown.push_back(box.Text() + " " + Box("txtKey1").Text());
        ClickDone();
    });
    rig->options.ShowHotkeyOptions();
    EXPECT_EQ(shown, (Events{"75,CA", "75,", "90,S 122,"}));
    EXPECT_EQ(rig->settings.gCustomHotkeys[2].key, 90);
    EXPECT_EQ(rig->settings.gCustomHotkeys[2].shift, kShiftMask);
}

TEST_F(HotkeyTest, CloseQuestionNoStaysYesUndoesAndRegisters) {
    HotkeyRig& r = Start("[cfg]\nUse1=yes\nKey1=65\n");
    r.hotkeys.RegisterHotkeys();
    Events steps;
    OnModal([&](HeadlessWindow& dialog) {
        Box("txtKey1").ReleaseKey(120, kShiftMask);
        Check("chkEnable1").SetChecked(false);
        Check("chkCaseSens").SetChecked(true);
        r.platform.dialogs.QueueAnswer(MessageAnswer::No);
        steps.push_back(dialog.RequestClose() ? "closed" : "open " + Box("txtKey1").Text() + " " + Held());
        r.platform.dialogs.QueueAnswer(MessageAnswer::Yes);
        steps.push_back(dialog.RequestClose() ? "closed" : "open");
    });
    r.options.ShowHotkeyOptions();
    EXPECT_EQ(steps, (Events{"open 120,S -", "closed"}));
    const std::string question =
        "msgbox: OK to cancel any option changes? | This will undo any changes to these options - OK to close "
        "window and cancel? | question | yesno";
    EXPECT_EQ(events, (Events{question, question}));
    EXPECT_EQ(Held(), "0:122+0 1:65+0 hook");
    EXPECT_FALSE(r.settings.gCaseSensitive);
}

TEST_F(HotkeyTest, DoneStoresEverythingAndRegisters) {
    HotkeyRig& r = Start("[cfg]\nUse1=yes\nKey1=65\n");
    r.hotkeys.RegisterHotkeys();
    OnModal([&](HeadlessWindow&) {
        Check("chkEnable1").SetChecked(false);
        Box("txtKey1").ReleaseKey(119, kAltMask);
        Check("chkCustom(1)").SetChecked(false);
        Check("chkCustom(2)").SetChecked(true);
        Box("txtCustom(2)").ReleaseKey(66, kCtrlMask | kShiftMask);
        Check("chkCustom(5)").SetChecked(true);  // no key set: refused
        Check("chkCaseSens").SetChecked(true);
        ClickDone();
    });
    r.interpreter.RunCommand("%%options");
    EXPECT_EQ(events, Events{"msgbox: Can't register hotkey | Custom Hotkey 5 is either in use or can't be used | "
                             "none | ok"});
    EXPECT_EQ(Held(), "2:66+6 hook");
    EXPECT_FALSE(r.settings.gUseMainHotkey || r.settings.gCustomHotkeys[4].enabled);
    EXPECT_EQ(FormatHotkey(r.settings.gMainKey, r.settings.gMainShift), "119,A");
    EXPECT_TRUE(r.settings.gCaseSensitive);
}

TEST_F(HotkeyTest, OnlyOneDialogAtATime) {
    Start().hotkeys.RegisterHotkeys();
    Events whileOpen;
    OnModal([&](HeadlessWindow&) {
        rig->interpreter.RunCommand("%%hotkeys");  // say, from a clock while it is open
        whileOpen.push_back(Held());
        ClickDone();
    });
    rig->options.ShowHotkeyOptions();
    rig->options.ShowHotkeyOptions();
    EXPECT_EQ(whileOpen, (Events{"-", "-"}));
    EXPECT_EQ(Held(), "0:122+0 hook");
}

}  // namespace
}  // namespace zindle
