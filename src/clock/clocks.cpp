#include "clock/clocks.h"

#include <cmath>

#include "clock/clock_format.h"
#include "clock/date_time_parse.h"
#include "interpreter/interpreter.h"
#include "interpreter/text_helpers.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/system.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"

namespace zindle {

namespace {

constexpr std::int16_t kCountDown = 1;
constexpr std::int16_t kCountTo = 2;
constexpr std::int16_t kCountUp = 3;
constexpr std::int16_t kRealTime = 4;

constexpr int kTickMilliseconds = 1000;
constexpr const char* kErrorText = "!ERR!";

// Clock letters A to E in either case; only the first character counts. An
// empty field or any other first character (a non-ASCII one included) names
// no clock: -1.
int ClockIndex(const std::string& field) {
    if (field.empty()) return -1;
    char letter = field.front();
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    return letter >= 'A' && letter < 'A' + Clocks::kClockCount ? letter - 'A' : -1;
}

char ClockLetter(std::size_t i) { return static_cast<char>('A' + i); }

}  // namespace

Clocks::Clocks(System& system, Dialogs& dialogs, ProfileStore& store, const ProgramSettings& settings,
               Interpreter& interpreter, Label& lblMsg, Label& lblTimer,
               std::array<Timer*, kClockCount> tmrClock)
    : system_(system),
      dialogs_(dialogs),
      store_(store),
      settings_(settings),
      interpreter_(interpreter),
      lblMsg_(lblMsg),
      lblTimer_(lblTimer),
      tmrClock_(tmrClock) {
    for (std::size_t i = 0; i < tmrClock_.size(); ++i) {
        Timer& timer = *tmrClock_[i];
        timer.SetInterval(kTickMilliseconds);
        if (i == 0) {
            // The label is reached directly, not through this object: the
            // tick's event command may have unloaded the bar by the time the
            // text arrives, and ClockTick touches no member after the event.
            timer.SetHandler([this, &label = lblTimer_] { label.SetText(ClockTick(0)); });
        } else {
            timer.SetHandler([this, i] { ClockTick(static_cast<std::int16_t>(i)); });
        }
    }
}

void Clocks::ShowMessage(const std::string& text) {
    lblMsg_.SetText(text);
    interpreter_.gMessageShown = true;
}

void Clocks::ClockCommand(const std::string& parameters) {
    // Fields are split at single blanks, so none holds a blank to strip.
    const std::string clockField = GetField(parameters, " ", 1);
    const int index = ClockIndex(clockField);
    if (index < 0) {
        ShowMessage("Invalid Clock ID '" + clockField + "'");
        return;
    }
    const auto i = static_cast<std::size_t>(index);
    const std::string subCommand = GetField(parameters, " ", 2);
    const std::string word = GetField(parameters, " ", 3);
    if (subCommand == "mode") {
        SetMode(i, word, GetField(parameters, " ", 4));
    } else if (subCommand == "switch") {
        if (word == "on") SwitchOn(i);
        if (word == "off") SwitchOff(i);
    }
}

void Clocks::SetMode(std::size_t i, const std::string& word, const std::string& timeText) {
    if (word == "countup") {
        gClockMode[i] = kCountUp;
        gClockTarget[i] = system_.Now();
        return;
    }
    if (word == "realtime") {
        gClockMode[i] = kRealTime;
        gClockTarget[i] = 0;
        return;
    }
    if (word != "countdown" && word != "countto" && word != "countfrom") return;

    DateTime moment = 0;
    if (!TryParseDateTime(timeText, system_.LocaleDateOrder(), moment)) {
        ShowMessage("Error, couldn't understand time parameter");
        return;
    }
    if (word == "countdown") {
        gClockMode[i] = kCountDown;
        gClockTarget[i] = system_.Now() + moment;
    } else {
        gClockMode[i] = word == "countto" ? kCountTo : kCountUp;
        gClockTarget[i] = moment;
    }
}

void Clocks::SwitchOn(std::size_t i) {
    if (gClockMode[i] < kCountDown || gClockMode[i] > kRealTime) {
        ShowMessage("Cannot Activate Clock, Clock Mode is not set");
        return;
    }
    gClockFired[i] = false;
    if (i == 0) lblTimer_.SetVisible(true);
    tmrClock_[i]->SetEnabled(true);
}

void Clocks::SwitchOff(std::size_t i) {
    if (i == 0) lblTimer_.SetVisible(false);
    tmrClock_[i]->SetEnabled(false);
}

std::string Clocks::ClockTick(std::int16_t i) {
    if (i < 0 || i >= kClockCount) return kErrorText;
    const auto index = static_cast<std::size_t>(i);
    switch (gClockMode[index]) {
        case kCountDown:
        case kCountTo: {
            const std::int64_t left = DaysToMilliseconds(gClockTarget[index] - system_.Now());
            std::string text = FormatClockTime(left);
            // The mark is set first, so a tick of this clock that the event's
            // command lets run cannot fire it a second time.
            if (left <= 0 && !gClockFired[index]) {
                gClockFired[index] = true;
                RunClockEvent(index);
            }
            return text;
        }
        case kCountUp:
            return FormatClockTime(DaysToMilliseconds(system_.Now() - gClockTarget[index]));
        case kRealTime: {
            const DateTime now = system_.Now();
            return FormatClockTime(DaysToMilliseconds(now - std::floor(now)));
        }
        default:
            tmrClock_[index]->SetEnabled(false);
            dialogs_.MessageBox("ClockMode in non-legal state [" + std::to_string(gClockMode[index]) + "]",
                                "Internal State Failure", MessageIcon::Critical, MessageButtons::Ok);
            return kErrorText;
    }
}

void Clocks::RunClockEvent(std::size_t i) {
    const std::string key = std::string("!onclock-") + ClockLetter(i);
    if (!store_.IniHasValue("cmds", key, settings_.gIniPath)) return;
    interpreter_.RunCommand(store_.ReadIniValue("cmds", key, "", settings_.gIniPath));
}

void Clocks::StopAll() {
    for (Timer* timer : tmrClock_) timer->SetEnabled(false);
}

}  // namespace zindle
