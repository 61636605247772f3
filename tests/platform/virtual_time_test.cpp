#include "frontends/headless/virtual_time.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zindle {
namespace {

TEST(ParseDateTime, CountsDaysFromTheEndOf1899) {
    EXPECT_EQ(ParseDateTime("2024-01-01T09:00:00"), kDefaultStartTime);
    EXPECT_EQ(ParseDateTime("1899-12-30T00:00:00"), 0.0);
    EXPECT_EQ(ParseDateTime("1900-03-01T12:00:00"), 61.5);
    EXPECT_EQ(ParseDateTime("2000-02-29T18:00:00"), 36585.75);

    EXPECT_EQ(ParseDateTime("2023-02-29T00:00:00"), std::nullopt);
    EXPECT_EQ(ParseDateTime("2024-13-01T00:00:00"), std::nullopt);
    EXPECT_EQ(ParseDateTime("2024-01-01T24:00:00"), std::nullopt);
    EXPECT_EQ(ParseDateTime("2024-01-01 09:00:00"), std::nullopt);
    EXPECT_EQ(ParseDateTime("1899-12-29T23:59:59"), std::nullopt);
}

TEST(VirtualTime, ClockMovesOnlyWhenTold) {
    VirtualTime time;
    EXPECT_EQ(time.Now(), kDefaultStartTime);
    EXPECT_EQ(time.TickCount(), 0u);
    time.Sleep(1500);
    time.Wait(1000);
    time.DoEvents();
    EXPECT_EQ(time.ElapsedMilliseconds(), 2500u);
    EXPECT_EQ(time.TickCount(), 2500u);
    EXPECT_DOUBLE_EQ(time.Now(), kDefaultStartTime + 2.5 / 86400);
    // Fifty days on, the time of day is exactly where it was; the tick count has wrapped.
    time.Wait(86'400'000ull * 50 - 2500);
    EXPECT_EQ(time.Now(), kDefaultStartTime + 50);
    EXPECT_EQ(time.TickCount(), static_cast<std::uint32_t>(86'400'000ull * 50));
}

// A timer that logs its name and the virtual time whenever it fires.
struct Fixture {
    VirtualTime time;
    std::vector<std::string> log;

    std::unique_ptr<Timer> Make(const std::string& name, int interval, bool enabled = true) {
        auto timer = time.CreateTimer({});
        timer->SetInterval(interval);
        timer->SetHandler(
            [this, name] { log.push_back(name + "@" + std::to_string(time.ElapsedMilliseconds())); });
        timer->SetEnabled(enabled);
        return timer;
    }
};

TEST(VirtualTime, SleepRunsNothingAndTheNextDoEventsRunsEachDueTimerOnce) {
    Fixture f;
    auto a = f.Make("a", 1000);
    auto b = f.Make("b", 300);
    auto later = f.Make("later", 5000);
    f.time.Sleep(3500);
    EXPECT_TRUE(f.log.empty());
    f.time.DoEvents();
    EXPECT_EQ(f.log, (std::vector<std::string>{"b@3500", "a@3500"}));
    f.time.DoEvents();
    EXPECT_EQ(f.log.size(), 2u);
    // Missed periods are dropped, the phase is kept: a is next due at 4000.
    f.time.Wait(500);
    EXPECT_EQ(f.log, (std::vector<std::string>{"b@3500", "a@3500", "b@3600", "b@3900", "a@4000"}));
}

TEST(VirtualTime, WaitRunsEveryOccurrenceInOrderOfDueTime) {
    Fixture f;
    auto a = f.Make("a", 400);
    auto b = f.Make("b", 300);
    auto off = f.Make("off", 100, false);
    auto never = f.Make("never", 0);
    f.time.Wait(1200);
    // At 1200 both are due; the older timer goes first.
    EXPECT_EQ(f.log,
              (std::vector<std::string>{"b@300", "a@400", "b@600", "a@800", "b@900", "a@1200", "b@1200"}));
    EXPECT_EQ(f.time.ElapsedMilliseconds(), 1200u);
}

TEST(VirtualTime, EnablingOrChangingTheIntervalRestartsThePeriod) {
    Fixture f;
    auto a = f.Make("a", 1000);
    f.time.Wait(700);
    a->SetInterval(1000);
    f.time.Wait(900);
    EXPECT_TRUE(f.log.empty());
    a->SetEnabled(false);
    f.time.Wait(2000);
    EXPECT_TRUE(f.log.empty());
    a->SetEnabled(true);
    f.time.Wait(1000);
    EXPECT_EQ(f.log, (std::vector<std::string>{"a@4600"}));
}

TEST(VirtualTime, AHandlerNeverReentersItself) {
    Fixture f;
    auto other = f.Make("other", 100);
    auto self = f.time.CreateTimer({});
    int depth = 0;
    int maxDepth = 0;
    self->SetInterval(100);
    self->SetHandler([&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        f.time.Sleep(250);
        f.time.DoEvents();
        f.time.Wait(250);
        --depth;
    });
    self->SetEnabled(true);
    f.time.Wait(100);
    EXPECT_EQ(maxDepth, 1);
    // The other timer ran inside the handler: once from DoEvents, then each period of the Wait.
    EXPECT_EQ(f.log,
              (std::vector<std::string>{"other@100", "other@350", "other@400", "other@500", "other@600"}));
    // The handler took 500 ms; its own missed periods coalesce into one run at the next chance.
    EXPECT_EQ(f.time.ElapsedMilliseconds(), 600u);
    f.log.clear();
    self->SetHandler([&] { f.log.push_back("self@" + std::to_string(f.time.ElapsedMilliseconds())); });
    f.time.DoEvents();
    EXPECT_EQ(f.log, (std::vector<std::string>{"self@600"}));
}

TEST(VirtualTime, HandlersMayStopCreateAndDestroyTimers) {
    Fixture f;
    std::unique_ptr<Timer> victim = f.Make("victim", 100);
    std::unique_ptr<Timer> created;
    auto killer = f.time.CreateTimer({});
    killer->SetInterval(100);
    killer->SetHandler([&] {
        f.log.push_back("killer");
        victim.reset();
        created = f.Make("created", 50);
        killer.reset();  // destroys the running timer itself
    });
    killer->SetEnabled(true);
    auto stopper = f.Make("stopper", 100);
    stopper->SetHandler([&] {
        f.log.push_back("stopper");
        stopper->SetEnabled(false);
    });
    f.time.Wait(200);
    // victim (created first) ran at 100 before killer destroyed it; stopper stopped itself.
    EXPECT_EQ(f.log,
              (std::vector<std::string>{"victim@100", "killer", "stopper", "created@150", "created@200"}));
    EXPECT_EQ(killer, nullptr);
}

}  // namespace
}  // namespace zindle
