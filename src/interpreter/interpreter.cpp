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

// Neither that nor the nesting limit bounds the total work of one line: a
// macro that runs a word twice, or a fallback that doubles its arguments at
// every level, multiplies the work at every level without ever nesting
// deeper than allowed. Past this many lines run, or this much line text
// handled, on behalf of one top-level line, the rest of it is abandoned.
// Real macro chains stay orders of magnitude below both. Text the top-level
// line brings itself (a long typed line, the clipboard of a hotkey) may be
// handed down through as many nested calls as the stack guard allows
// without counting here.
constexpr std::uint64_t kMaxLinesPerLine = 1'000'000;
constexpr std::uint64_t kMaxTextPerLine = std::uint64_t{32} << 20;

}  // namespace

Interpreter::Line::Line(const std::string& line)
    : text(line),
      word(GetFieldView(line, " ", 1)),
      firstArgument(TrimBlanks(GetFieldView(line, " ", 2))),
      rest(TrimBlanks(GetRestFromView(line, ' ', 2))) {}

std::string Interpreter::Line::RestAfterArgument() const { return TrimBlanks(GetRestFromView(text, ' ', 3)); }

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

void Interpreter::HitLimit(const std::string& text) {
    Show(text);
    if (!aborted_ && hosts_.bar) hosts_.bar->BlinkBar();
    aborted_ = true;
    gMessageShown = true;
    gCommandFailed = true;
    gFailureShown = true;
    depth_ = 0;
}

void Interpreter::RunCommand(const std::string& line) {
    if (quitRequested_ || unwinding_) return;
    if (activeCalls_ == 0) {
        gFailureShown = false;
        linesRun_ = 0;
        textLeft_ = kMaxTextPerLine + kMaxActiveCalls * std::uint64_t{line.size()};
    }
    if (depth_ >= settings_.gRecurseLimit) {
        HitLimit("Too Much Recursion!");
        return;
    }
    if (activeCalls_ >= kMaxActiveCalls) {
        HitLimit("Too Much Recursion!");
        unwinding_ = true;
        return;
    }
    // Only the lines a top-level line causes count: however long the typed
    // line itself is, it runs, and a hit always has a chain to unwind.
    if (activeCalls_ > 0) {
        if (++linesRun_ > kMaxLinesPerLine || line.size() > textLeft_) {
            HitLimit("Too Much Work! Line Abandoned");
            unwinding_ = true;
            return;
        }
        textLeft_ -= line.size();
    }
    ++activeCalls_;
    aborted_ = false;
    const Line pieces(line);
    bool nested = false;

    if (const Handler handler = FindBuiltin(pieces.word)) {
        (this->*handler)(pieces, nested);
    } else {
        ++depth_;
        nested = true;
        gLastUserCommand = line;
        RunCommand(GetUserCommand(pieces.word) + " " + pieces.rest);
    }

    --activeCalls_;
    if (activeCalls_ == 0) {
        unwinding_ = false;
        if (lineFinished_) lineFinished_();
    }
    if (quitRequested_ || unwinding_) return;
    if (!nested) depth_ = 0;
    // A later successful launch clears gMessageShown, but not a failure
    // shown earlier in the line: that stays on the status line.
    if (!gMessageShown && !gFailureShown && depth_ < 1) Show(settings_.gOkText);
}

}  // namespace zindle
