#include "interpreter/interpreter.h"

#include "interpreter/line.h"
#include "interpreter/text_helpers.h"
#include "platform/platform.h"
#include "profile/conversions.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "textfx/textfx.h"

namespace zindle {

namespace {

constexpr std::int16_t kStatusDuration = 250;

// However the limit is set, a chain of nested lines that never raises the
// nesting counter (a fallback that fails again, macros of macros) must not
// exhaust the stack: past this many calls on the stack the whole chain is
// abandoned as too much recursion.
constexpr int kMaxActiveCalls = 1024;

}  // namespace

Interpreter::Line::Line(const std::string& line)
    : text(line),
      word(GetField(line, " ", 1)),
      firstArgument(TrimBlanks(GetField(line, " ", 2))),
      rest(TrimBlanks(GetRestFrom(line, ' ', 2))),
      restAfterArgument(TrimBlanks(GetRestFrom(line, ' ', 3))) {}

Interpreter::Interpreter(Platform& platform, ProfileStore& store, ProgramSettings& settings,
                         History& history)
    : platform_(platform), store_(store), settings_(settings), history_(history) {}

std::string Interpreter::GetUserCommand(const std::string& word) {
    return store_.ReadIniValue("cmds", word, "%%err", settings_.gIniPath);
}

void Interpreter::Show(const std::string& text) {
    if (hosts_.bar) TypeText(hosts_.bar->StatusLine(), platform_.system, text, kStatusDuration, quitRequested_);
}

void Interpreter::Write(const std::string& text) {
    if (hosts_.bar) hosts_.bar->StatusLine().SetText(text);
}

void Interpreter::MarkFailed() {
    gFailureShown = true;
    if (depth_ <= 1) gCommandFailed = true;
}

void Interpreter::HitRecursionLimit() {
    Show("Too Much Recursion!");
    if (!aborted_ && hosts_.bar) hosts_.bar->BlinkBar();
    aborted_ = true;
    gMessageShown = true;
    gCommandFailed = true;
    gFailureShown = true;
    depth_ = 0;
}

void Interpreter::RunCommand(const std::string& line) {
    if (quitRequested_ || unwinding_) return;
    if (activeCalls_ == 0) gFailureShown = false;
    if (depth_ >= settings_.gRecurseLimit) {
        HitRecursionLimit();
        return;
    }
    if (activeCalls_ >= kMaxActiveCalls) {
        HitRecursionLimit();
        unwinding_ = true;
        return;
    }
    ++activeCalls_;
    aborted_ = false;
    const Line pieces(line);
    bool nested = false;

    if (const Handler handler = FindBuiltin(LowerAscii(pieces.word))) {
        (this->*handler)(pieces, nested);
    } else {
        ++depth_;
        nested = true;
        gLastUserCommand = line;
        RunCommand(GetUserCommand(pieces.word) + " " + pieces.rest);
    }

    --activeCalls_;
    if (activeCalls_ == 0) unwinding_ = false;
    if (quitRequested_ || unwinding_) return;
    if (!nested) depth_ = 0;
    // A later successful launch clears gMessageShown, but not a failure
    // shown earlier in the line: that stays on the status line.
    if (!gMessageShown && !gFailureShown && depth_ < 1) Show(settings_.gOkText);
}

}  // namespace zindle
