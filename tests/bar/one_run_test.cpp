// One run at a time: what is typed while a line runs waits for it, in order,
// and neither changes the line nor starts another inside it.

#include <functional>
#include <memory>

#include "bar_fixture.h"

namespace zindle {
namespace {

class OneRunTest : public BarTest {
protected:
    // Does what while the next run is typing "Working...", once.
    void DuringTheNextRun(std::function<void()> what) {
        probe_ = bar().window().CreateTimer("probe");
        probe_->SetInterval(1);
        probe_->SetHandler([this, what = std::move(what)] {
            probe_->SetEnabled(false);
            EXPECT_TRUE(box().InputHeld());
            what();
        });
        probe_->SetEnabled(true);
    }
    std::unique_ptr<Timer> probe_;
};

TEST_F(OneRunTest, AnEnterTypedAheadRunsTheNextLineAfterARunawayOne) {
    ASSERT_TRUE(Start("[cmds]\nloop=loop\nabc=%%msg abc ran\n"));
    std::string boxWhenReplayed;
    DuringTheNextRun([&] {
        Type("abc");
        box().PressKey(KeyName::Enter);
    });
    Type("loop");
    events.clear();
    box().PressKey(KeyName::Enter);
    EXPECT_EQ(Count("flash"), 3) << "the runaway line hit the limit on its own";
    EXPECT_EQ(Status(), "abc ran");
    EXPECT_EQ(program->history.gHistory, std::vector<std::string>{"abc"});
    EXPECT_EQ(box().Text(), "");
    EXPECT_FALSE(box().InputHeld());
}

TEST_F(OneRunTest, TheLineIsTheTextAtEnterAndWhatFollowsStaysInTheBox) {
    ASSERT_TRUE(Start("[cmds]\nhi=%%msg hello\n$fallback=%%msg fb\n"));
    DuringTheNextRun([&] { Type("abc"); });
    Type("hi");
    box().PressKey(KeyName::Enter);
    EXPECT_EQ(Status(), "hello");
    EXPECT_EQ(program->history.gHistory, std::vector<std::string>{"hi"});
    EXPECT_EQ(box().Text(), "abc");
    EXPECT_FALSE(box().ReadOnly());
}

TEST_F(OneRunTest, ClickingRunWhileALineRunsIsIgnored) {
    ASSERT_TRUE(Start("[cmds]\ngo=%%w3 https://example.com/\n"));
    DuringTheNextRun([&] { platform->windows.FindPictureBox("Form1", "picRunCmd")->Click(); });
    Type("go");
    events.clear();
    box().PressKey(KeyName::Enter);
    EXPECT_EQ(Count("open: https://example.com/"), 1);
}

}  // namespace
}  // namespace zindle
