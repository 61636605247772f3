// The five clocks on the headless platform: a real interpreter and command
// table, a bar window with its labels and timers, and virtual time.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "clock/clocks.h"
#include "interpreter/history.h"
#include "interpreter/interpreter.h"
#include "frontends/headless/headless_platform.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "temp_dir.h"

namespace zindle {
namespace {

using Texts = std::vector<std::string>;

class TestBar final : public BarHost {
public:
    explicit TestBar(Label& status) : status_(status) {}
    Label& StatusLine() override { return status_; }
    void BlinkBar() override {}
    void Unload() override {}

private:
    Label& status_;
};

// 2024-01-01 at 09:00:00.123, so that date-time arithmetic is not exact.
constexpr DateTime kOddStart = 45292.375 + 0.123 / 86400;

class ClockTest : public ::testing::Test {
protected:
    void Start(DateTime start = kDefaultStartTime,
               const std::string& cmds = "!onclock-A=%%open http://fired/A\r\n!onclock-B=%%open http://fired/B\r\n") {
        WriteBytes(dir.File("zindle.ini"), "[cmds]\r\n" + cmds);
        HeadlessOptions options;
        options.programDirectory = dir.Path().string();
        options.start = start;
        platform = std::make_unique<HeadlessPlatform>(options, [this](const std::string& line) {
            // Which clock fired, and what clock A showed meanwhile.
            const bool fired = line.rfind("open: http://fired/", 0) == 0;
            events.push_back(fired ? line.substr(line.size() - 1) + " fired at " + lblTimer->Text() : line);
        });
        bundle = std::make_unique<Platform>(platform->Bundle());
        store = std::make_unique<ProfileStore>(bundle->profiles);
        SetProgramPaths(settings, dir.Path().string(), '/');
        interpreter = std::make_unique<Interpreter>(*bundle, *store, settings, history);
        window = platform->windows.CreateWindow("Form1", "Zindle", WindowKind::Bar);
        lblMsg = window->CreateLabel("lblMsg");
        lblTimer = window->CreateLabel("lblTimer");
        lblTimer->SetVisible(false);
        // The OK text after an event's command then takes no typing time, and
        // the ticks stay on whole seconds.
        lblMsg->SetText(settings.gOkText);
        std::array<Timer*, Clocks::kClockCount> timers{};
        for (std::size_t i = 0; i < timers.size(); ++i) {
            tmrClock[i] = window->CreateTimer("tmrClock");
            timers[i] = tmrClock[i].get();
        }
        bar = std::make_unique<TestBar>(*lblMsg);
        clocks = std::make_unique<Clocks>(bundle->system, bundle->dialogs, *store, settings, *interpreter,
                                          *lblMsg, *lblTimer, timers);
        InterpreterHosts hosts;
        hosts.bar = bar.get();
        hosts.clock = clocks.get();
        interpreter->SetHosts(hosts);
    }

    // A line run from the bar: "Working...", the flags cleared, the dispatcher.
    void Run(const std::string& line) {
        lblMsg->SetText("Working...");
        interpreter->gMessageShown = false;
        interpreter->gCommandFailed = false;
        interpreter->RunCommand(line);
    }
    void Clock(const std::string& parameters) { clocks->ClockCommand(parameters); }

    // Clock A's text after each of the next seconds.
    Texts Ticks(int seconds) {
        Texts shown;
        for (int s = 0; s < seconds; ++s) {
            platform->time.Wait(1000);
            shown.push_back(lblTimer->Text());
        }
        return shown;
    }

    TempDir dir;
    Texts events;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Platform> bundle;
    std::unique_ptr<ProfileStore> store;
    ProgramSettings settings;
    History history;
    std::unique_ptr<Interpreter> interpreter;
    std::unique_ptr<Window> window;
    std::unique_ptr<Label> lblMsg, lblTimer;
    std::array<std::unique_ptr<Timer>, Clocks::kClockCount> tmrClock;
    std::unique_ptr<TestBar> bar;
    std::unique_ptr<Clocks> clocks;
};

TEST_F(ClockTest, CountdownFiresOnceAtZeroAndKeepsCountingNegative) {
    Start(kOddStart);
    lblTimer->SetText("before");
    Clock("A mode countdown 0:00:10");
    Clock("A switch on");
    EXPECT_TRUE(lblTimer->Visible());
    EXPECT_EQ(lblTimer->Text(), "before");  // the first display comes with the first tick
    EXPECT_EQ(Ticks(9), (Texts{"00:00:09", "00:00:08", "00:00:07", "00:00:06", "00:00:05", "00:00:04",
                               "00:00:03", "00:00:02", "00:00:01"}));
    EXPECT_EQ(events, Texts{});
    // The event runs inside the tick, before the label takes the tick's text.
    EXPECT_EQ(Ticks(4), (Texts{"00:00:00", "-00:00:01", "-00:00:02", "-00:00:03"}));
    EXPECT_EQ(events, Texts{"A fired at 00:00:01"});
    EXPECT_TRUE(tmrClock[0]->Enabled());
}

TEST_F(ClockTest, HiddenClocksRunTheirEntryUnseen) {
    Start();
    lblTimer->SetText("A's text");
    Clock("B mode countdown 0:01:00");
    Clock("B switch on");
    Clock("C mode countdown 0:00:30");  // no "!onclock-C" entry
    Clock("C switch on");
    platform->time.Wait(59'000);
    EXPECT_EQ(events, Texts{});
    platform->time.Wait(30'000);
    EXPECT_EQ(events, Texts{"B fired at A's text"});
    EXPECT_FALSE(lblTimer->Visible());
    EXPECT_TRUE(clocks->gClockFired[2]);
}

TEST_F(ClockTest, AnEventFailingDeeperDownIsNotReportedAsSuccess) {
    Start(kDefaultStartTime,
          "!onclock-B=both\r\nboth=%%macro launch|%%open http://fired/B\r\nlaunch=%%exe /nonexistent/prog\r\n");
    Clock("B mode countdown 0:00:01");
    Clock("B switch on");
    platform->time.Wait(2000);
    ASSERT_EQ(std::count(events.begin(), events.end(), "B fired at "), 1);
    EXPECT_EQ(lblMsg->Text(), "Error performing '%%exe /nonexistent/prog'");
}

TEST_F(ClockTest, RefusalsWriteTheirMessageAtOnce) {
    Start();
    Run("%%clock A switch on");
    EXPECT_EQ(lblMsg->Text(), "Cannot Activate Clock, Clock Mode is not set");
    EXPECT_TRUE(interpreter->gMessageShown);
    EXPECT_FALSE(tmrClock[0]->Enabled() || lblTimer->Visible());

    Clock("A mode countup");
    const DateTime target = clocks->gClockTarget[0];
    for (const std::string line : {"%%clock A mode countdown soon", "%%clock A mode countto"}) {
        Run(line);
        EXPECT_EQ(lblMsg->Text(), "Error, couldn't understand time parameter");
        EXPECT_TRUE(interpreter->gMessageShown);
        EXPECT_EQ(clocks->gClockMode[0], 3);
        EXPECT_EQ(clocks->gClockTarget[0], target);
    }
    // Only ASCII letters A to E name clocks; the message quotes the whole field.
    for (const std::string field : {"F", "f", "1", "@", "[", "\xC3\x84rger", "\xC3\xA1", ""}) {
        interpreter->gMessageShown = false;
        Clock(field + " switch on");
        EXPECT_EQ(lblMsg->Text(), "Invalid Clock ID '" + field + "'");
        EXPECT_TRUE(interpreter->gMessageShown);
    }
    for (const auto& timer : tmrClock) EXPECT_FALSE(timer->Enabled());
}

TEST_F(ClockTest, OnlyTheExactWordsAct) {
    Start();
    for (const std::string line : {"%%clock A Mode realtime", "%%clock A mode Realtime", "%%clock A  mode realtime",
                                   "%%clock A mode countdwn 0:01", "%%clock A Switch on", "%%clock A switch"}) {
        Run(line);
        EXPECT_EQ(lblMsg->Text(), "Zindle - OK") << line;
        EXPECT_EQ(clocks->gClockMode[0], 0) << line;
    }
    // Letters in either case, only the first counts; fields past the fourth are ignored.
    Run("%%clock alpha mode countdown 1:30:00 and more");
    EXPECT_EQ(lblMsg->Text(), "Zindle - OK");
    for (const std::string line : {"%%clock A switch ON", "%%clock A switch  on"}) {
        Run(line);
        EXPECT_FALSE(tmrClock[0]->Enabled()) << line;
    }
    Run("%%clock A switch on");
    EXPECT_EQ(Ticks(1)[0].substr(0, 5), "01:29");
}

TEST_F(ClockTest, CountupWrapsAfterADayAndLongCountsKeepEverySecond) {
    Start(kOddStart);
    Clock("A mode countup");
    Clock("A switch on");
    EXPECT_EQ(Ticks(2), (Texts{"00:00:01", "00:00:02"}));
    platform->time.Wait(86'400'000 - 4'000);
    EXPECT_EQ(Ticks(2), (Texts{"23:59:59", "00:00:00"}));

    Clock("A mode countfrom 2022-01-01T00:00");  // over two years ago
    EXPECT_EQ(Ticks(3), (Texts{"09:00:01", "09:00:02", "09:00:03"}));
    Clock("A mode countfrom 2024-01-03T09:00:10");
    EXPECT_EQ(Ticks(1), Texts{"-00:00:05"});
}

TEST_F(ClockTest, RealtimeShowsTheTimeOfDay) {
    Start(45292 + (23 * 3600 + 59 * 60 + 57.5) / 86400);  // 23:59:57.500
    Clock("A mode realtime");
    Clock("A switch on");
    EXPECT_EQ(Ticks(3), (Texts{"23:59:58", "23:59:59", "00:00:00"}));
}

TEST_F(ClockTest, CounttoATimeAloneFiresOnTheFirstTick) {
    Start();  // 2024-01-01 09:00:00
    Clock("A mode countto 14:30");
    EXPECT_EQ(clocks->gClockTarget[0], 14.5 / 24);
    Clock("A switch on");
    EXPECT_EQ(Ticks(1), Texts{"-18:30:01"});
    EXPECT_EQ(events, Texts{"A fired at "});
    // A date alone counts to its midnight.
    Clock("B mode countto 2024-01-02");
    EXPECT_EQ(clocks->ClockTick(1), "14:59:59");
}

TEST_F(ClockTest, AFiredClockFiresAgainOnlyAfterSwitchingOnAgain) {
    Start(kOddStart);
    Clock("A mode countdown 0:00:02");
    Clock("A switch on");
    Ticks(2);
    Clock("A mode countdown 0:00:02");  // re-armed while running
    EXPECT_EQ(Ticks(3), (Texts{"00:00:01", "00:00:00", "-00:00:01"}));
    EXPECT_EQ(events, Texts{"A fired at 00:00:01"});

    Clock("A switch off");
    EXPECT_FALSE(lblTimer->Visible() || tmrClock[0]->Enabled());
    platform->time.Wait(5'000);
    EXPECT_EQ(lblTimer->Text(), "-00:00:01");
    // Time spent off counts; the target has passed, so the first tick fires.
    Clock("A switch on");
    EXPECT_EQ(Ticks(1), Texts{"-00:00:07"});
    EXPECT_EQ(events, (Texts{"A fired at 00:00:01", "A fired at -00:00:01"}));
}

TEST_F(ClockTest, AnImpossibleModeStopsTheClockWithABox) {
    Start();
    Clock("A mode realtime");
    Clock("A switch on");
    Clock("E mode countup");
    Clock("E switch on");
    clocks->gClockMode[0] = 7;
    EXPECT_EQ(Ticks(2), (Texts{"!ERR!", "!ERR!"}));
    EXPECT_EQ(events, Texts{"msgbox: Internal State Failure | ClockMode in non-legal state [7] | critical | ok"});
    EXPECT_FALSE(tmrClock[0]->Enabled());
    EXPECT_EQ(clocks->ClockTick(5), "!ERR!");
    clocks->StopAll();
    EXPECT_FALSE(tmrClock[4]->Enabled());
}

}  // namespace
}  // namespace zindle
