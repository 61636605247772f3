#include "frontends/headless/virtual_time.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zindle {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

unsigned DaysInMonth(std::int64_t year, unsigned month) {
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Day 0 to the last moment of 9999, the range a DateTime is used for; also
// keeps NaN and huge values away from the integer arithmetic.
DateTime ClampStart(DateTime start) {
    constexpr DateTime kLast = 2958465.99999;
    return start >= 0 ? std::min(start, kLast) : 0;
}

std::optional<unsigned> ReadDigits(std::string_view text, std::size_t pos, std::size_t count) {
    unsigned value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<DateTime> ParseDateTime(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':') {
        return std::nullopt;
    }
    const auto year = ReadDigits(text, 0, 4);
    const auto month = ReadDigits(text, 5, 2);
    const auto day = ReadDigits(text, 8, 2);
    const auto hour = ReadDigits(text, 11, 2);
    const auto minute = ReadDigits(text, 14, 2);
    const auto second = ReadDigits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) {
        return std::nullopt;
    }
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23 ||
        *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    const std::int64_t days = DaysFromCivil(*year, *month, *day) - DaysFromCivil(1899, 12, 30);
    if (days < 0) {
        return std::nullopt;
    }
    const unsigned seconds = *hour * 3600 + *minute * 60 + *second;
    return static_cast<DateTime>(days) + seconds / 86400.0;
}

struct VirtualTimerState {
    int interval = 0;
    bool enabled = false;
    bool running = false;
    bool destroyed = false;
    std::uint64_t due = 0;
    // Shared so that a handler replacing itself while it runs stays alive.
    std::shared_ptr<const std::function<void()>> handler;
    std::function<bool()> canFire;
};

struct VirtualTimerTable {
    std::uint64_t now = 0;
    // Creation order. A timer's state lives while its object does or while
    // its handler runs; expired entries are dropped on the next scan.
    std::vector<std::weak_ptr<VirtualTimerState>> timers;

    bool Fireable(const VirtualTimerState& timer) const {
        return !timer.destroyed && timer.enabled && timer.interval > 0 && !timer.running &&
               (!timer.canFire || timer.canFire());
    }

    // The fireable timers due by limit, earliest due first, ties in creation order.
    std::vector<std::shared_ptr<VirtualTimerState>> DueBy(std::uint64_t limit) {
        std::vector<std::shared_ptr<VirtualTimerState>> due;
        std::erase_if(timers, [](const std::weak_ptr<VirtualTimerState>& entry) { return entry.expired(); });
        for (const auto& entry : timers) {
            if (auto timer = entry.lock(); timer && Fireable(*timer) && timer->due <= limit) {
                due.push_back(std::move(timer));
            }
        }
        std::stable_sort(due.begin(), due.end(),
                         [](const auto& a, const auto& b) { return a->due < b->due; });
        return due;
    }

    void Fire(VirtualTimerState& timer) {
        // The next period keeps the timer's phase; periods missed while the
        // thread was busy are dropped.
        const auto interval = static_cast<std::uint64_t>(timer.interval);
        if (timer.due <= now) {
            timer.due += ((now - timer.due) / interval + 1) * interval;
        }
        const auto handler = timer.handler;
        if (!handler || !*handler) {
            return;
        }
        timer.running = true;
        (*handler)();
        timer.running = false;
    }
};

namespace {

class VirtualTimer final : public Timer {
public:
    VirtualTimer(std::shared_ptr<VirtualTimerTable> table, std::shared_ptr<VirtualTimerState> state)
        : table_(std::move(table)), state_(std::move(state)) {}
    ~VirtualTimer() override { state_->destroyed = true; }
    VirtualTimer(const VirtualTimer&) = delete;
    VirtualTimer& operator=(const VirtualTimer&) = delete;

    void SetInterval(int milliseconds) override {
        state_->interval = milliseconds;
        Restart();
    }
    int Interval() const override { return state_->interval; }
    void SetEnabled(bool enabled) override {
        state_->enabled = enabled;
        Restart();
    }
    bool Enabled() const override { return state_->enabled; }
    void SetHandler(std::function<void()> onTick) override {
        state_->handler = std::make_shared<const std::function<void()>>(std::move(onTick));
    }

private:
    void Restart() {
        if (state_->interval > 0) {
            state_->due = table_->now + static_cast<std::uint64_t>(state_->interval);
        }
    }

    std::shared_ptr<VirtualTimerTable> table_;
    std::shared_ptr<VirtualTimerState> state_;
};

}  // namespace

VirtualTime::VirtualTime(DateTime start)
    : startMilliseconds_(std::llround(ClampStart(start) * static_cast<double>(kMillisecondsPerDay))),
      table_(std::make_shared<VirtualTimerTable>()) {}

DateTime VirtualTime::Now() const {
    const std::int64_t total = startMilliseconds_ + static_cast<std::int64_t>(table_->now);
    // Whole days and the fraction apart, so the time of day stays exact to the ms.
    const std::int64_t days = total / kMillisecondsPerDay;
    const std::int64_t rest = total % kMillisecondsPerDay;
    return static_cast<DateTime>(days) +
           static_cast<DateTime>(rest) / static_cast<DateTime>(kMillisecondsPerDay);
}

std::uint32_t VirtualTime::TickCount() const { return static_cast<std::uint32_t>(table_->now); }

std::uint64_t VirtualTime::ElapsedMilliseconds() const { return table_->now; }

void VirtualTime::Sleep(std::uint32_t milliseconds) { table_->now += milliseconds; }

void VirtualTime::DoEvents() {
    for (const auto& timer : table_->DueBy(table_->now)) {
        // An earlier handler may have run, stopped or rescheduled this one.
        if (table_->Fireable(*timer) && timer->due <= table_->now) {
            table_->Fire(*timer);
        }
    }
}

void VirtualTime::Wait(std::uint64_t milliseconds) {
    const std::uint64_t end =
        milliseconds > UINT64_MAX - table_->now ? UINT64_MAX : table_->now + milliseconds;
    while (true) {
        const auto due = table_->DueBy(end);
        if (due.empty()) {
            break;
        }
        const auto& timer = due.front();
        table_->now = std::max(table_->now, timer->due);
        table_->Fire(*timer);
    }
    table_->now = std::max(table_->now, end);
}

std::unique_ptr<Timer> VirtualTime::CreateTimer(std::function<bool()> canFire) {
    auto state = std::make_shared<VirtualTimerState>();
    state->canFire = std::move(canFire);
    table_->timers.push_back(state);
    return std::make_unique<VirtualTimer>(table_, std::move(state));
}

}  // namespace zindle
