// The status line's wipe and typing effects, timed in virtual milliseconds.

#include "textfx/textfx.h"
#include "program_fixture.h"

namespace zindle {
namespace {

class TextFxTest : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(Start()); }
    Label& label() { return program->bar()->StatusLine(); }
    System& system() { return platform->system; }
};

TEST_F(TextFxTest, WipeThenTypeTakesAStepPerCharacter) {
    label().SetText("Working...");
    const auto before = Elapsed();
    TypeText(label(), system(), "- no command entered! -", 250);
    EXPECT_EQ(label().Text(), "- no command entered! -");
    EXPECT_EQ(Elapsed() - before, 11u * 25 + 23u * 10);
}

TEST_F(TextFxTest, SameTextOrEmptyTextTakeNoTime) {
    label().SetText("same");
    const auto before = Elapsed();
    TypeText(label(), system(), "same", 250);
    TypeText(label(), system(), "", 250);
    EXPECT_EQ(label().Text(), "");
    EXPECT_EQ(Elapsed(), before);
    TypeText(label(), system(), "abcde", 250);
    EXPECT_EQ(Elapsed() - before, 250u) << "an empty line skips the wipe";
}

TEST_F(TextFxTest, LongTextsTypeWithoutSleepingAndHugeOnesInOneStep) {
    label().SetText("");
    const auto before = Elapsed();
    TypeText(label(), system(), std::string(300, 'x'), 250);
    EXPECT_EQ(Elapsed(), before);
    const std::string huge(1 << 20, 'y');
    TypeText(label(), system(), huge, 250);
    EXPECT_EQ(label().Text(), huge);
}

TEST_F(TextFxTest, CharactersAreCodePoints) {
    label().SetText("");
    const auto before = Elapsed();
    TypeText(label(), system(), "\xC3\xA9t\xC3\xA9", 250);  // three characters, five bytes
    EXPECT_EQ(Elapsed() - before, 3u * 83);
}

TEST_F(TextFxTest, AnEffectStartedMeanwhileIsOverwrittenByTheOuterOne) {
    label().SetText("");
    auto timer = program->bar()->window().CreateTimer("nested");
    timer->SetInterval(30);
    timer->SetHandler([&] {
        timer->SetEnabled(false);
        TypeText(label(), system(), "inner", 250);
    });
    timer->SetEnabled(true);
    TypeText(label(), system(), "outer text", 250);
    EXPECT_EQ(label().Text(), "outer text");
}

TEST_F(TextFxTest, AWipeGoesOnCuttingWhatANestedWriteLeft) {
    // Ten characters: a step every 25 ms. At 50 ms a nested command writes
    // a new text; from the next step on the wipe cuts that one.
    label().SetText("abcdefghij");
    auto writer = program->bar()->window().CreateTimer("writer");
    auto reader = program->bar()->window().CreateTimer("reader");
    std::string seen;
    writer->SetInterval(30);
    writer->SetHandler([&] {
        writer->SetEnabled(false);
        label().SetText("0123456789");
    });
    reader->SetInterval(80);
    reader->SetHandler([&] {
        reader->SetEnabled(false);
        seen = label().Text();
    });
    writer->SetEnabled(true);
    reader->SetEnabled(true);
    WipeText(label(), system(), 250);
    EXPECT_EQ(seen, "456789");
    EXPECT_EQ(label().Text(), "");
}

}  // namespace
}  // namespace zindle
