// The command box and the check boxes on Qt's offscreen platform: key
// events reach the core with Windows codes, the box edits as a Windows box
// does, and a check box's caption wraps as a Windows one does.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "frontends/qt/qt_window.h"
#include "frontends/qt/qt_window_factory.h"

namespace zindle {
namespace {

class QtTextBoxTest : public testing::Test {
protected:
    QtTextBoxTest()
        : trace_(noArguments_),
          factory_(trace_, nullptr),
          window_(std::make_unique<QtWindow>(factory_, "Form1", "Zindle", WindowKind::Bar)) {
        box_ = window_->CreateTextBox("txtCmd");
        edit_ = window_->Widget()->findChild<QLineEdit*>();
        TextBox::Events events;
        events.keyDown = [this](int& keyCode, int shift) {
            log_ += "down " + std::to_string(keyCode) + "/" + std::to_string(shift) + ";";
            if (keyCode == consumeKey_) keyCode = 0;
        };
        events.keyPress = [this](int& charCode) {
            log_ += "press " + std::to_string(charCode) + ";";
            if (charCode == 'x') charCode = 'y';
            if (charCode == consumeCharacter_) charCode = 0;
        };
        events.change = [this] { log_ += "change " + box_->Text() + ";"; };
        events.keyUp = [this](int keyCode, int shift) {
            log_ += "up " + std::to_string(keyCode) + "/" + std::to_string(shift) + ";";
        };
        box_->SetEvents(events);
    }

    // Widgets go with deleteLater: they are deleted here, not leaked.
    void TearDown() override {
        box_.reset();
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Press(int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(edit_, &press);
    }
    void Release(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(edit_, &release);
    }

    std::vector<std::string> noArguments_;
    TraceFile trace_;
    QtWindowFactory factory_;
    std::unique_ptr<QtWindow> window_;
    std::unique_ptr<TextBox> box_;
    QLineEdit* edit_ = nullptr;
    std::string log_;
    int consumeKey_ = -1;
    int consumeCharacter_ = -1;
};

TEST_F(QtTextBoxTest, TypingRaisesKeyDownKeyPressAndChangeWithWindowsCodes) {
    ASSERT_NE(edit_, nullptr);
    Press(Qt::Key_A, "a");
    Press(Qt::Key_Exclam, "!", Qt::ShiftModifier);
    Release(Qt::Key_A);
    EXPECT_EQ(log_, "down 65/0;press 97;change a;down 49/1;press 33;change a!;up 65/0;");
    EXPECT_EQ(box_->Text(), "a!");
    EXPECT_EQ(box_->SelectionStart(), 2);
}

TEST_F(QtTextBoxTest, HandlersConsumeOrReplaceKeysAndCharacters) {
    box_->SetText("ab");
    box_->SetSelection(1, 0);
    consumeKey_ = 37;
    Press(Qt::Key_Left);
    EXPECT_EQ(box_->SelectionStart(), 1);  // consumed: the caret stays
    consumeCharacter_ = 'q';
    Press(Qt::Key_Q, "q");
    Press(Qt::Key_X, "x");  // the handler makes it a 'y'
    EXPECT_EQ(box_->Text(), "ayb");
    EXPECT_EQ(box_->SelectionStart(), 2);
    // Enter and Escape reach the handlers and change nothing.
    log_.clear();
    Press(Qt::Key_Return, "\r");
    Press(Qt::Key_Escape, QString(QChar(27)));
    EXPECT_EQ(log_, "down 13/0;press 13;down 27/0;press 27;");
    EXPECT_EQ(box_->Text(), "ayb");
}

TEST_F(QtTextBoxTest, SelectionCountsCharactersNotUtf16Units) {
    box_->SetText("a\xF0\x9F\x98\x80" "b\xC3\xA9");  // a, an emoji, b, é
    box_->SetSelection(1, 2);
    EXPECT_EQ(box_->SelectionStart(), 1);
    EXPECT_EQ(box_->SelectionLength(), 2);
    Press(Qt::Key_Z, "z");
    EXPECT_EQ(box_->Text(), "az\xC3\xA9");
    box_->SetSelection(5, 9);  // clamped to the text
    EXPECT_EQ(box_->SelectionStart(), 3);
    EXPECT_EQ(box_->SelectionLength(), 0);
}

TEST_F(QtTextBoxTest, EditingKeysActAsInAWindowsEditBox) {
    box_->SetText("hello");
    box_->SetSelection(1, 3);
    Press(Qt::Key_Backspace, "\b");
    EXPECT_EQ(box_->Text(), "ho");
    Press(Qt::Key_End);
    Press(Qt::Key_Up);  // one character back
    EXPECT_EQ(box_->SelectionStart(), 1);
    Press(Qt::Key_Delete);
    EXPECT_EQ(box_->Text(), "h");
    Press(Qt::Key_Down);
    Press(Qt::Key_Backspace, "\b");
    EXPECT_EQ(box_->Text(), "");
}

TEST_F(QtTextBoxTest, SetTextRaisesChangeOnlyForNewTextAndPutsTheCaretFirst) {
    box_->SetText("net");
    box_->SetText("net");
    EXPECT_EQ(log_, "change net;");
    EXPECT_EQ(box_->SelectionStart(), 0);
}

TEST_F(QtTextBoxTest, AReadOnlyBoxRaisesItsKeysButKeepsItsText) {
    box_->SetText("fixed");
    box_->SetReadOnly(true);
    log_.clear();
    Press(Qt::Key_B, "b");
    Press(Qt::Key_Backspace, "\b");
    EXPECT_EQ(log_, "down 66/0;press 98;down 8/0;press 8;");
    EXPECT_EQ(box_->Text(), "fixed");
}

TEST_F(QtTextBoxTest, AHandlerMayDestroyTheBoxWhileItsKeyIsHandled) {
    TextBox::Events events;
    events.keyDown = [this](int&, int) { box_.reset(); };
    box_->SetEvents(events);
    Press(Qt::Key_A, "a");
    EXPECT_EQ(box_, nullptr);
    QApplication::processEvents();  // the widget goes later, harmlessly
}

TEST(QtLabelTest, AnAutoSizedLabelKeepsTheEdgeItsTextIsAlignedTo) {
    std::vector<std::string> none;
    TraceFile trace(none);
    QtWindowFactory factory(trace, nullptr);
    auto window = std::make_unique<QtWindow>(factory, "Form1", "Zindle", WindowKind::Bar);
    auto clock = window->CreateLabel("lblTimer");
    clock->SetAlignment(Alignment::Right);
    clock->SetLeft(9000);
    clock->SetWidth(1500);
    clock->SetAutoSize(true);
    clock->SetText("1:02:03");
    const int right = 9000 + 1500;
    EXPECT_EQ(clock->Left() + clock->Width(), right);
    clock->SetText("10:02:03 and more");
    EXPECT_EQ(clock->Left() + clock->Width(), right);
    EXPECT_GT(clock->Width(), 1500);
    EXPECT_GT(clock->Height(), 0);
    clock.reset();
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(QtTextBoxTest, KeysTypedWhileInputIsHeldArriveInOrderWhenItEnds) {
    box_->SetInputHeld(true);
    Press(Qt::Key_A, "a");
    Press(Qt::Key_Return, "\r");
    Press(Qt::Key_B, "b");
    Release(Qt::Key_B);
    EXPECT_EQ(log_, "");
    EXPECT_EQ(box_->Text(), "");
    // Enter starts another run, which holds input again: the rest waits for it.
    TextBox::Events events;
    events.keyPress = [this](int& charCode) {
        log_ += "press " + std::to_string(charCode) + ";";
        if (charCode == 13) box_->SetInputHeld(true);
    };
    box_->SetEvents(events);
    box_->SetInputHeld(false);
    EXPECT_EQ(log_, "press 97;press 13;");
    EXPECT_EQ(box_->Text(), "a");
    Press(Qt::Key_C, "c");  // typed during that run: after what already waits
    box_->SetInputHeld(false);
    EXPECT_EQ(log_, "press 97;press 13;press 98;press 99;");
    EXPECT_EQ(box_->Text(), "abc");
}

TEST_F(QtTextBoxTest, ACheckBoxCaptionWrapsOntoTheLinesItsBoxHasAndAnyClickOnItToggles) {
    const std::unique_ptr<CheckBox> check = window_->CreateCheckBox("chkCaseSens");
    check->SetCaption("Auto-Complete should be CaSE sEnSiTiVE");
    check->SetWidth(1455);
    check->SetHeight(615);
    auto* widget = window_->Widget()->findChild<QCheckBox*>();
    ASSERT_NE(widget, nullptr);
    ASSERT_EQ(widget->size(), QSize(97, 41));

    // Cut to one line, the caption would stay clear of the bottom quarter.
    const QImage image = widget->grab().toImage();
    int darkBelow = 0;
    for (int y = 3 * image.height() / 4 + 1; y < image.height(); ++y) {
        for (int x = 20; x < image.width(); ++x) darkBelow += qGray(image.pixel(x, y)) < 128;
    }
    EXPECT_GT(darkBelow, 0) << "the caption's last line";

    const QPointF farCorner(widget->width() - 2, widget->height() - 2);
    QMouseEvent press(QEvent::MouseButtonPress, farCorner, widget->mapToGlobal(farCorner), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, farCorner, widget->mapToGlobal(farCorner), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
    EXPECT_TRUE(check->Checked());
}

}  // namespace
}  // namespace zindle
