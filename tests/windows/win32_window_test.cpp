// Windows and controls on the real window system (run with a display).

#include <gtest/gtest.h>

#include <fstream>

#include "frontends/common/event_lines.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_api.h"
#include <shellapi.h>

#include "frontends/win32/win32_window.h"
#include "frontends/win32/win32_window_manager.h"
#include "temp_dir.h"

namespace zindle::test {
namespace {

class Win32WindowTest : public ::testing::Test {
protected:
    std::vector<std::string> TraceLines() {
        std::ifstream in(traceFile_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    TempDir dir_;
    std::string traceFile_ = dir_.File("trace.txt");
    std::vector<std::string> arguments_{"--trace", traceFile_};
    TraceFile trace_{arguments_};
    ScreenScale scale_;
    Win32Window bar_{trace_, scale_, "Form1", "Zindle", WindowKind::Bar, nullptr};
};

TEST_F(Win32WindowTest, TheChainHandsBackEachProcedureAndEndsInTheWindowsOwnHandling) {
    ASSERT_NE(bar_.Handle(), 0u);
    std::vector<unsigned> seen;
    WindowProc bottom;
    const auto hook = [&](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        seen.push_back(message);
        return bottom(message, wParam, lParam);
    };
    bottom = bar_.SetWindowProc(hook);
    // A message the system sends reaches the hook, then the default handling.
    EXPECT_EQ(::SendMessageW(reinterpret_cast<HWND>(bar_.Handle()), WM_NCHITTEST, 0, MAKELPARAM(-5000, -5000)),
              HTNOWHERE);
    EXPECT_EQ(seen, std::vector<unsigned>{WM_NCHITTEST});
    // Removing the hook gives back exactly the procedure installed in it.
    const WindowProc removed = bar_.SetWindowProc(bottom);
    EXPECT_NE(removed.target<decltype(hook)>(), nullptr);
    EXPECT_EQ(bar_.GetWindowText(), "Zindle");
}

TEST(Win32BarWindow, ExplorerRestartingRegistersTheBarAgainWithItsStrip) {
    std::vector<std::string> noTrace;
    TraceFile trace(noTrace);
    ScreenScale scale;
    Win32WindowManager shell(scale);
    Win32Window bar(trace, scale, "Form1", "Zindle", WindowKind::Bar, [&] { shell.RegisterAgain(); });
    AppBarData data;
    data.window = bar.Handle();
    data.callbackMessage = WM_APP + 1;
    ASSERT_TRUE(shell.SHAppBarMessage(kAbmNew, data));
    data.edge = 3;
    data.rect = {0, 700, 1024, 768};
    shell.SHAppBarMessage(kAbmSetPos, data);
    const auto strip = shell.Strip();
    ASSERT_TRUE(strip);

    // Explorer restarts: it has forgotten the bar and says so to everyone.
    APPBARDATA native{};
    native.cbSize = sizeof native;
    native.hWnd = reinterpret_cast<HWND>(bar.Handle());
    ::SHAppBarMessage(ABM_REMOVE, &native);
    ::SendMessageW(native.hWnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    // Registered again: a second registration of the same window fails.
    native.uCallbackMessage = WM_APP + 1;
    EXPECT_FALSE(::SHAppBarMessage(ABM_NEW, &native));
    EXPECT_EQ(shell.Strip(), strip);
    shell.SHAppBarMessage(kAbmRemove, data);
    EXPECT_FALSE(shell.Strip());
}

TEST_F(Win32WindowTest, HotkeysNeedAKeyCodeInRangeAndAnIdNotInUse) {
    EXPECT_FALSE(bar_.RegisterHotkey(1, 0, 0));
    EXPECT_FALSE(bar_.RegisterHotkey(1, 255, 0));
    ASSERT_TRUE(bar_.RegisterHotkey(2, 0x7A, 0));                  // F11
    EXPECT_FALSE(bar_.RegisterHotkey(2, 0x7B, 0));                 // the id is taken
    ASSERT_TRUE(bar_.RegisterHotkey(1, 'Z', MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(bar_.Hotkeys(), (std::vector<HotkeyRegistration>{{1, 'Z', 3}, {2, 0x7A, 0}}));
    bar_.UnregisterHotkey(2);
    EXPECT_EQ(bar_.Hotkeys(), (std::vector<HotkeyRegistration>{{1, 'Z', 3}}));
}

TEST_F(Win32WindowTest, TheCommandBoxCountsCharactersAndReportsOnlyRealChanges) {
    auto box = bar_.CreateTextBox("txtCmd");
    int changes = 0;
    std::vector<int> typed;
    TextBox::Events events;
    events.change = [&] { ++changes; };
    events.keyPress = [&](int& charCode) {
        typed.push_back(charCode);
        if (charCode == 'x') charCode = 0;  // consumed: never reaches the box
    };
    box->SetEvents(events);
    box->SetText("a\xF0\x9F\x98\x80" "bc");  // a, an emoji, b, c
    box->SetText("a\xF0\x9F\x98\x80" "bc");
    EXPECT_EQ(changes, 1);
    box->SetSelection(1, 2);
    EXPECT_EQ(box->SelectionStart(), 1);
    EXPECT_EQ(box->SelectionLength(), 2);

    const HWND edit = GetWindow(reinterpret_cast<HWND>(bar_.Handle()), GW_CHILD);
    box->SetSelection(4, 0);
    ::SendMessageW(edit, WM_CHAR, 'x', 0);
    ::SendMessageW(edit, WM_CHAR, 0xD83D, 0);  // a character outside the basic plane, in halves
    ::SendMessageW(edit, WM_CHAR, 0xDE00, 0);
    EXPECT_EQ(typed, (std::vector<int>{'x', 0x1F600}));
    EXPECT_EQ(box->Text(), "a\xF0\x9F\x98\x80" "bc\xF0\x9F\x98\x80");
}

TEST_F(Win32WindowTest, KeysTypedWhileInputIsHeldReachTheBoxInOrderWhenItEnds) {
    auto box = bar_.CreateTextBox("txtCmd");
    std::vector<int> typed;
    TextBox::Events events;
    events.keyPress = [&](int& charCode) {
        typed.push_back(charCode);
        if (charCode == '\r') box->SetInputHeld(true);  // an Enter typed ahead starts the next run
    };
    box->SetEvents(events);
    const HWND edit = GetWindow(reinterpret_cast<HWND>(bar_.Handle()), GW_CHILD);
    box->SetInputHeld(true);
    for (const wchar_t c : {L'a', L'\r', L'b'}) ::SendMessageW(edit, WM_CHAR, c, 0);
    EXPECT_TRUE(typed.empty());
    box->SetInputHeld(false);
    EXPECT_EQ(typed, (std::vector<int>{'a', '\r'}));
    EXPECT_EQ(box->Text(), "a");
    ::SendMessageW(edit, WM_CHAR, 'c', 0);  // typed during that run: after what already waits
    box->SetInputHeld(false);
    EXPECT_EQ(typed, (std::vector<int>{'a', '\r', 'b', 'c'}));
    EXPECT_EQ(box->Text(), "abc");
}

// A dialog's layout was made for MS Sans Serif 8 pt; its check boxes wrap
// their captions over the lines they are high, as the core sizes them for.
TEST_F(Win32WindowTest, ADialogsControlsStartInTheDialogFontAndCheckBoxesWrap) {
    Win32Window dialog{trace_, scale_, "frmOptions", "%%options", WindowKind::Dialog, nullptr};
    auto check = dialog.CreateCheckBox("chkCaseSens");
    auto key = dialog.CreateTextBox("txtKey1");
    auto command = bar_.CreateTextBox("txtCmd");
    EXPECT_EQ(key->Font(), (FontSpec{"MS Sans Serif", 8}));
    EXPECT_EQ(command->Font(), FontSpec{}) << "the bar's controls keep the font skins start from";

    const HWND button = GetWindow(reinterpret_cast<HWND>(dialog.Handle()), GW_CHILD);
    EXPECT_NE(GetWindowLongW(button, GWL_STYLE) & BS_MULTILINE, 0);
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
}

TEST_F(Win32WindowTest, LabelsKeepTheirAlignedEdgeAndAVanishingTextIsAFlash) {
    auto clock = bar_.CreateLabel("lblTimer");
    clock->SetAlignment(Alignment::Right);
    clock->SetLeft(3000);
    clock->SetAutoSize(true);
    clock->SetText("1:00");
    const int right = clock->Left() + clock->Width();
    ASSERT_GT(clock->Width(), 0);
    clock->SetText("10:00:00");
    EXPECT_GT(clock->Width(), 0);
    EXPECT_EQ(clock->Left() + clock->Width(), right);

    bar_.SetBackColor(MakeColour(1, 2, 3));
    clock->SetForeColor(MakeColour(1, 2, 3));
    clock->SetForeColor(MakeColour(1, 2, 3));  // still invisible: no second flash
    EXPECT_EQ(TraceLines(), std::vector<std::string>{kFlashEventLine});
}

TEST_F(Win32WindowTest, TheCoreSeesNinetySixDpiPixelsAtAnyScale) {
    scale_.dpi = 144;
    ASSERT_TRUE(bar_.SetWindowPos(kHwndTop, 10, 20, 200, 30, kSwpNoActivate | kSwpNoZOrder));
    RECT device{};
    ::GetWindowRect(reinterpret_cast<HWND>(bar_.Handle()), &device);
    EXPECT_EQ(device.left, 15);
    EXPECT_EQ(device.bottom - device.top, 45);
    EXPECT_EQ(bar_.GetWindowRect(), (RectPx{10, 20, 210, 50}));
}

}  // namespace
}  // namespace zindle::test
