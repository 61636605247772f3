// Windows and controls on the real window system (run with a display).

#include <gtest/gtest.h>

#include <fstream>

#include "frontends/common/event_lines.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_api.h"
#include <shellapi.h>

#include "appbar/tappbar.h"
#include "frontends/win32/win32_dialogs.h"
#include "frontends/win32/win32_shell.h"
#include "frontends/win32/win32_system.h"
#include "frontends/win32/win32_window.h"
#include "frontends/win32/win32_window_factory.h"
#include "frontends/win32/win32_window_manager.h"
#include "profile/private_profile_engine.h"
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

// The bar window with the docking object on it, on the system's shell.
struct DockedBar {
    explicit DockedBar(int systemDpi) : scale{systemDpi} {
        appBar.SetSlideEffect(false);
        appBar.SetDockedHeight(21);
        appBar.Extends(bar);
        appBar.SetEdge(kEdgeBottom);
    }
    ~DockedBar() { appBar.Detach(); }
    RECT DeviceRect() const {
        RECT rect{};
        ::GetWindowRect(reinterpret_cast<HWND>(bar.Handle()), &rect);
        return rect;
    }

    std::vector<std::string> noTrace;
    TraceFile trace{noTrace};
    ScreenScale scale;
    PrivateProfileEngine profiles;
    Win32Shell launcher{trace};
    Win32Dialogs dialogs{trace};
    Win32System system{""};
    Win32WindowFactory windows{trace, scale};
    Win32WindowManager shell{scale};
    TAppBar appBar{Platform{profiles, launcher, dialogs, system, windows, shell}};
    Win32Window bar{trace, scale, "Form1", "Zindle", WindowKind::Bar, [this] { appBar.ShellRestarted(); }};
};

TEST(Win32BarWindow, ExplorerRestartingDocksTheBarAgainOnTheStripTheShellGives) {
    DockedBar docked(96);
    ASSERT_TRUE(docked.shell.Strip());

    // Explorer restarts: it has forgotten the bar and says so to everyone.
    // Meanwhile the bar was moved off its strip.
    APPBARDATA native{};
    native.cbSize = sizeof native;
    native.hWnd = reinterpret_cast<HWND>(docked.bar.Handle());
    ::SHAppBarMessage(ABM_REMOVE, &native);
    docked.bar.SetWindowPos(0, 100, 100, 300, 21, kSwpNoZOrder | kSwpNoActivate);
    ::SendMessageW(native.hWnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    // Registered again (a second registration of the same window fails),
    // with a strip, and the window sits on it.
    native.uCallbackMessage = kAppBarCallbackMessage;
    EXPECT_FALSE(::SHAppBarMessage(ABM_NEW, &native));
    ASSERT_TRUE(docked.shell.Strip());
    EXPECT_EQ(docked.bar.GetWindowRect(), *docked.shell.Strip());
}

// The system's DPI is the one of the sign-in; the bar's window may be on a
// screen, or at a scale, that differs. Strip, window and controls must all
// agree on the window's.
TEST(Win32BarWindow, TheStripTheWindowAndItsControlsFollowTheWindowsDpi) {
    DockedBar docked(168);
    const HWND hwnd = reinterpret_cast<HWND>(docked.bar.Handle());
    EXPECT_EQ(docked.scale.dpi, static_cast<int>(GetDpiForWindow(hwnd)))
        << "the window's DPI, not the system's, from its creation on";
    auto box = docked.bar.CreateTextBox("txtCmd");
    box->SetHeight(21 * 15);

    for (const int dpi : {120, 192, 144, 96}) {
        SCOPED_TRACE(dpi);
        // The window is told of its new DPI with the rectangle the system
        // suggests, which keeps the old size in pixels here.
        const RECT suggested = docked.DeviceRect();
        ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(docked.scale.dpi, dpi);
        const int thickness = MulDiv(21, dpi, 96);
        RECT control{};
        ::GetWindowRect(GetWindow(hwnd, GW_CHILD), &control);
        EXPECT_EQ(control.bottom - control.top, thickness);
        const RECT window = docked.DeviceRect();
        // Within the pixel the rounding of edges and of sizes may differ by.
        EXPECT_NEAR(window.bottom - window.top, thickness, 1) << "docked again at the new scale";
        ASSERT_TRUE(docked.shell.Strip());
        EXPECT_EQ(docked.bar.GetWindowRect(), *docked.shell.Strip());
        EXPECT_EQ(window.bottom, GetSystemMetrics(SM_CYSCREEN));
    }
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
    // The system is asked for one message per press, not one per repeat.
    EXPECT_EQ(SystemHotkeyModifiers(MOD_CONTROL | MOD_ALT), static_cast<UINT>(MOD_CONTROL | MOD_ALT | MOD_NOREPEAT));
    EXPECT_EQ(SystemHotkeyModifiers(0), static_cast<UINT>(MOD_NOREPEAT));
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

// Answers the box the test opened, once the modal loop is running.
void CALLBACK AnswerTestBox(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND box = FindWindowW(L"#32770", L"Focus test")) PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Win32WindowTest, AnsweredBoxGivesTheKeyboardBackToTheCommandBox) {
    auto box = bar_.CreateTextBox("txtCmd");
    bar_.SetVisible(true);
    bar_.Activate();
    box->SetFocus();
    const HWND edit = GetWindow(reinterpret_cast<HWND>(bar_.Handle()), GW_CHILD);
    ASSERT_EQ(GetFocus(), edit);

    Win32Dialogs dialogs(trace_);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerTestBox);
    dialogs.MessageBox("hello", "Focus test", MessageIcon::Information, MessageButtons::Ok, nullptr);
    KillTimer(nullptr, timer);
    EXPECT_EQ(GetForegroundWindow(), reinterpret_cast<HWND>(bar_.Handle()));
    EXPECT_EQ(GetFocus(), edit);
}

// Presses a key with Ctrl held, as the system delivers it: the key-down,
// then the character TranslateMessage makes of it.
void PressWithControl(HWND edit, UINT key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(edit, WM_KEYDOWN, key, 1);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    SetKeyboardState(keys);
}

TEST_F(Win32WindowTest, CtrlBackspaceAndCtrlDeleteTakeAWordAndTypeNothing) {
    auto box = bar_.CreateTextBox("txtCmd");
    std::vector<int> typed;
    std::vector<std::pair<int, int>> pressed;
    int changes = 0;
    bool consume = false;
    TextBox::Events events;
    events.change = [&] { ++changes; };
    events.keyDown = [&](int& keyCode, int shift) { pressed.emplace_back(keyCode, shift); };
    events.keyPress = [&](int& charCode) {
        typed.push_back(charCode);
        if (consume) charCode = 0;
    };
    box->SetEvents(events);
    const HWND edit = GetWindow(reinterpret_cast<HWND>(bar_.Handle()), GW_CHILD);
    box->SetText("g  hello world");
    box->SetSelection(14, 0);
    changes = 0;

    PressWithControl(edit, VK_BACK);
    EXPECT_EQ(box->Text(), "g  hello ");
    PressWithControl(edit, VK_BACK);
    EXPECT_EQ(box->Text(), "g  ");
    // The core hears a Backspace (which stops completion), never a DEL character.
    EXPECT_EQ(typed, (std::vector<int>{8, 8}));
    EXPECT_EQ(pressed, (std::vector<std::pair<int, int>>{{VK_BACK, kCtrlMask}, {VK_BACK, kCtrlMask}}));
    EXPECT_EQ(changes, 2);

    box->SetText("g  hello world");
    box->SetSelection(0, 0);
    PressWithControl(edit, VK_DELETE);
    EXPECT_EQ(box->Text(), "hello world");
    box->SetSelection(2, 0);
    PressWithControl(edit, VK_DELETE);  // the rest of the word and its blank, not the line
    EXPECT_EQ(box->Text(), "heworld");
    box->SetSelection(1, 3);  // a selection goes as it is
    PressWithControl(edit, VK_BACK);
    EXPECT_EQ(box->Text(), "hrld");

    consume = true;  // the core took the key: the box is left alone
    PressWithControl(edit, VK_BACK);
    consume = false;
    box->SetReadOnly(true);
    PressWithControl(edit, VK_BACK);
    PressWithControl(edit, VK_DELETE);
    EXPECT_EQ(box->Text(), "hrld");
}

// The EDIT control's last messages, while its window is destroyed, must not
// reach the procedure of a text box that is already gone.
TEST_F(Win32WindowTest, ATextBoxGivesItsWindowBackToTheEditControlBeforeItIsDestroyed) {
    static bool subclassedAtDestroy = false;
    subclassedAtDestroy = false;
    const auto watch = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_DESTROY) {
            wchar_t className[16] = {};
            GetClassNameW(call->hwnd, className, 16);
            if (_wcsicmp(className, L"Edit") == 0 && static_cast<ULONG_PTR>(GetWindowLongPtrW(call->hwnd, GWLP_WNDPROC)) !=
                                                        GetClassLongPtrW(call->hwnd, GCLP_WNDPROC)) {
                subclassedAtDestroy = true;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    };
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, watch, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    auto box = bar_.CreateTextBox("txtCmd");
    const HWND edit = GetWindow(reinterpret_cast<HWND>(bar_.Handle()), GW_CHILD);
    ASSERT_NE(static_cast<ULONG_PTR>(GetWindowLongPtrW(edit, GWLP_WNDPROC)), GetClassLongPtrW(edit, GCLP_WNDPROC));
    box.reset();
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_FALSE(subclassedAtDestroy);
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
