#include "frontends/headless/headless_controls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "frontends/headless/headless_pictures.h"

namespace zindle {
namespace {

using Lines = std::vector<std::string>;

class HeadlessControls : public ::testing::Test {
protected:
    HeadlessControls() : factory_(time_, disk_), bar_(factory_.CreateWindow("Form1", "Zindle", WindowKind::Bar)) {}

    HeadlessWindow& Bar() { return *factory_.FindWindow("Form1"); }

    // A text box whose handlers log every event, and consume or change what
    // the test asks them to.
    std::unique_ptr<TextBox> LoggedBox() {
        auto box = bar_->CreateTextBox("txtCmd");
        TextBox* raw = box.get();
        box->SetEvents({
            [this](int& keyCode, int shift) {
                log_.push_back("down " + std::to_string(keyCode) + " " + std::to_string(shift));
                if (keyCode == consumeKey_) keyCode = 0;
            },
            [this](int& charCode) {
                log_.push_back("press " + std::to_string(charCode));
                if (charCode == consumeChar_) charCode = 0;
                if (charCode == '*') charCode = 'Z';
            },
            [this, raw] { log_.push_back("change " + raw->Text()); },
            [this](int keyCode, int shift) {
                log_.push_back("up " + std::to_string(keyCode) + " " + std::to_string(shift));
            },
        });
        return box;
    }

    HeadlessTextBox& Box(const std::unique_ptr<TextBox>& box) { return static_cast<HeadlessTextBox&>(*box); }

    void Type(HeadlessTextBox& box, std::u32string_view text) {
        for (const char32_t c : text) box.TypeCharacter(c);
    }

    VirtualTime time_;
    DiskStorage disk_;
    HeadlessWindowFactory factory_;
    std::unique_ptr<Window> bar_;
    Lines log_;
    int consumeKey_ = -1;
    int consumeChar_ = -1;
};

TEST_F(HeadlessControls, TypingReplacesTheSelectionAndReportsRealChanges) {
    auto owned = LoggedBox();
    HeadlessTextBox& box = Box(owned);
    Type(box, U"nA");
    EXPECT_EQ(log_, (Lines{"down 78 0", "press 110", "change n", "down 65 1", "press 65", "change nA"}));

    box.SetText("notepad");
    EXPECT_EQ(box.SelectionStart(), 0);  // as WM_SETTEXT leaves it
    box.SetSelection(1, 99);
    EXPECT_EQ(box.SelectionLength(), 6);
    log_.clear();
    Type(box, U"x");
    EXPECT_EQ(box.Text(), "nx");
    EXPECT_EQ(box.SelectionStart(), 2);
    box.SetSelection(1, 1);
    Type(box, U"x");  // the same character over itself: no change
    box.SetText("nx");
    EXPECT_EQ(log_, (Lines{"down 88 0", "press 120", "change nx", "down 88 0", "press 120"}));

    // Non-ASCII characters have no key of their own but are typed all the same.
    log_.clear();
    box.SetText("");
    Type(box, U"é!\"?");
    EXPECT_EQ(log_,
              (Lines{"change ", "press 233", "change é", "down 49 1", "press 33", "change é!", "down 222 1",
                     "press 34", "change é!\"", "down 191 1", "press 63", "change é!\"?"}));
}

TEST_F(HeadlessControls, HandlersConsumeOrChangeKeysAndReadOnlyStopsEditing) {
    auto owned = LoggedBox();
    HeadlessTextBox& box = Box(owned);
    consumeKey_ = 'A';
    Type(box, U"a");  // the key is consumed, the character still arrives
    consumeChar_ = 'b';
    Type(box, U"b*");
    EXPECT_EQ(box.Text(), "aZ");

    log_.clear();
    box.SetReadOnly(true);
    Type(box, U"c");
    box.PressKey(KeyName::Backspace);
    box.PressKey(KeyName::Delete);
    box.PressKey(KeyName::Home);  // moving is not editing
    EXPECT_EQ(box.Text(), "aZ");
    EXPECT_EQ(box.SelectionStart(), 0);
    EXPECT_EQ(log_, (Lines{"down 67 0", "press 99", "down 8 0", "press 8", "down 46 0", "down 36 0"}));

    box.SetReadOnly(false);
    log_.clear();
    box.PressKey(KeyName::Enter);
    box.PressKey(KeyName::Escape);
    EXPECT_EQ(log_, (Lines{"down 13 0", "press 13", "down 27 0", "press 27"}));
    EXPECT_EQ(box.Text(), "aZ");

    // Up consumed by the handler (as history stepping does) leaves the caret.
    box.SetSelection(1, 0);
    consumeKey_ = 38;
    box.PressKey(KeyName::Up);
    EXPECT_EQ(box.SelectionStart(), 1);
    box.PressKey(KeyName::Down);
    EXPECT_EQ(box.SelectionStart(), 2);
    box.PressKey(KeyName::Right);
    EXPECT_EQ(box.SelectionStart(), 2);
}

TEST_F(HeadlessControls, BackspaceAndDeleteAtTheEdgesChangeNothing) {
    auto owned = LoggedBox();
    HeadlessTextBox& box = Box(owned);
    box.SetText("añb");
    log_.clear();
    box.PressKey(KeyName::Backspace);  // caret at 0
    box.PressKey(KeyName::End);
    box.PressKey(KeyName::Delete);
    EXPECT_EQ(log_, (Lines{"down 8 0", "press 8", "down 35 0", "down 46 0"}));

    box.PressKey(KeyName::Left);
    box.PressKey(KeyName::Backspace);  // removes the two-byte ñ whole
    EXPECT_EQ(box.Text(), "ab");
    EXPECT_EQ(box.SelectionStart(), 1);
    box.PressKey(KeyName::Delete);
    EXPECT_EQ(box.Text(), "a");
    box.SetText("notepad");
    box.SetSelection(2, 5);
    box.PressKey(KeyName::Backspace);
    EXPECT_EQ(box.Text(), "no");
    box.SetSelection(0, 1);
    box.PressKey(KeyName::Delete);
    EXPECT_EQ(box.Text(), "o");
    EXPECT_EQ(log_.back(), "change o");
}

TEST_F(HeadlessControls, AHandlerMayDestroyTheBoxItIsCalledFrom) {
    std::unique_ptr<TextBox> box = bar_->CreateTextBox("txtCmd");
    HeadlessTextBox* raw = &Box(box);
    box->SetEvents({{}, [&](int&) { box.reset(); }, {}, {}});
    raw->TypeCharacter(U'x');
    EXPECT_EQ(box, nullptr);
    EXPECT_EQ(factory_.FindTextBox("Form1", "txtCmd"), nullptr);
}

TEST_F(HeadlessControls, AutoSizeLabelsFitTheirText) {
    auto clock = bar_->CreateLabel("lblTimer");
    clock->SetLeft(3000);
    clock->SetWidth(1000);
    clock->SetText("H:M:S");
    EXPECT_EQ(clock->Width(), 1000);  // not auto-sizing yet
    clock->SetAutoSize(true);
    // 10 pt: 8 pixels a character, 17 a line.
    EXPECT_EQ(clock->Width(), 5 * 8 * 15);
    EXPECT_EQ(clock->Height(), 17 * 15);
    EXPECT_EQ(clock->Left(), 3000);
    clock->SetFont(FontSpec{"Tahoma", 12, true});  // 10 and 20 pixels
    clock->SetText("12:00:00");
    EXPECT_EQ(clock->Width(), 8 * 10 * 15);
    EXPECT_EQ(clock->Height(), 20 * 15);
    clock->SetText("ab\r\ncdé\nf");
    EXPECT_EQ(clock->Width(), 3 * 10 * 15);
    EXPECT_EQ(clock->Height(), 3 * 20 * 15);
    clock->SetText("");
    EXPECT_EQ(clock->Width(), 0);
    EXPECT_EQ(clock->Height(), 20 * 15);
    // A size set by hand holds until the text or the font really changes.
    clock->SetWidth(13860);
    clock->SetText("");
    clock->SetFont(FontSpec{"Tahoma", 12, true});
    EXPECT_EQ(clock->Width(), 13860);
    clock->SetFont(FontSpec{"Tiny", 0.1});
    clock->SetText("abc");
    EXPECT_EQ(clock->Width(), 3 * 15);
    EXPECT_EQ(clock->Height(), 15);

    for (const double size : {std::nan(""), -4.0, 1e300, std::numeric_limits<double>::infinity()}) {
        clock->SetFont(FontSpec{"Odd", size});
        clock->SetText(std::string(100000, 'x'));
        EXPECT_GE(clock->Width(), 0);
        EXPECT_GE(clock->Height(), 0);
    }
}

TEST_F(HeadlessControls, WindowsKeepTheirSizeBackgroundAndFocus) {
    EXPECT_EQ(bar_->Width(), 15360);
    EXPECT_EQ(bar_->Height(), 315);
    auto options = factory_.CreateWindow("frmOptions", "Options", WindowKind::Dialog);
    EXPECT_EQ(options->Width(), 0);
    int resizes = 0;
    bool cancel = true;
    options->SetEvents({[&] { ++resizes; }, [&](bool& c, CloseReason) { c = cancel; }});
    options->SetClientSize(4500, 3000);
    options->SetClientSize(4500, 3000);
    auto& dialog = static_cast<HeadlessWindow&>(*options);
    dialog.Resize(-10);
    EXPECT_EQ(options->Width(), 0);
    EXPECT_EQ(resizes, 2);
    EXPECT_EQ(dialog.Kind(), WindowKind::Dialog);

    options->SetVisible(true);
    EXPECT_FALSE(dialog.RequestClose());
    EXPECT_TRUE(options->Visible());
    cancel = false;
    EXPECT_TRUE(dialog.RequestClose());
    EXPECT_FALSE(options->Visible());

    const auto picture = std::make_shared<HeadlessPicture>("skins/x/left.bmp", PictureSize{4, 21});
    bar_->DrawPicture(picture, 0, 0);
    bar_->DrawPicture(nullptr, 0, 0);
    bar_->DrawPicture(picture, 60, 7);
    EXPECT_EQ(Bar().BackgroundPictures(),
              (std::vector<BackgroundPicture>{{"skins/x/left.bmp", 0, 0}, {"skins/x/left.bmp", 60, 7}}));
    bar_->SetBackColor(MakeColour(0, 0, 0));
    EXPECT_TRUE(Bar().BackgroundPictures().empty());

    auto box = bar_->CreateTextBox("txtCmd");
    EXPECT_EQ(Bar().FocusedControl(), nullptr);
    box->SetFocus();
    EXPECT_EQ(Bar().FocusedControl(), factory_.FindControl("Form1", "txtCmd"));
    EXPECT_TRUE(Box(box).HasFocus());
    box.reset();
    EXPECT_EQ(Bar().FocusedControl(), nullptr);
}

}  // namespace
}  // namespace zindle
