#pragma once
// RunCommand: the one place where a command line is carried out. It splits
// off the first word, carries out a built-in "%%" word or looks a user word
// up in section cmds, appends the typed arguments and runs the result again.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "interpreter/hosts.h"

namespace zindle {

struct Platform;
class ProfileStore;
struct ProgramSettings;
struct History;

class Interpreter {
public:
    Interpreter(Platform& platform, ProfileStore& store, ProgramSettings& settings,
                History& history);

    void SetHosts(const InterpreterHosts& hosts) { hosts_ = hosts; }
    // Called each time a line that no other line ran has finished, whoever
    // ran it (the bar, a hotkey, a clock): what it changed can be saved.
    void SetLineFinishedHandler(std::function<void()> handler) { lineFinished_ = std::move(handler); }

    void RunCommand(const std::string& line);

    // The stored line of a user word, or "%%err" when it has none.
    std::string GetUserCommand(const std::string& word);

    // Set by a command that put its own text on the status line.
    bool gMessageShown = false;
    // Set when the typed line itself, or the line its word stands for, failed.
    // It alone decides whether a typed line stays out of the history.
    bool gCommandFailed = false;
    // Set when any part of the line failed, at whatever depth; the OK text
    // never follows such a line. Cleared when a line starts while no other
    // runs; a caller that reports the outcome of a line it runs inside
    // another clears it first and gives the outer line its value back.
    bool gFailureShown = false;
    // The last whole line whose first word was resolved through the table.
    std::string gLastUserCommand;

    std::int16_t Depth() const { return depth_; }
    bool Aborted() const { return aborted_; }
    // Once the bar is unloading ("%%quit", the exit button) no later line
    // runs and the status effects that are running stop.
    bool QuitRequested() const { return quitRequested_; }
    void StopForUnload() { quitRequested_ = true; }

private:
    struct Line;
    using Handler = void (Interpreter::*)(const Line&, bool& nested);

    static Handler FindBuiltin(std::string_view word);

    // Status line output: Show types the text in, Write sets it at once.
    void Show(const std::string& text);
    void Write(const std::string& text);
    // Marks a failure of the current line; it fails the typed line itself
    // only when it is that line or the line its word stands for.
    void MarkFailed();
    // A limit was reached: shows text, flashes the bar (once for a run of
    // such hits), fails the line and resets the nesting counter.
    void HitLimit(const std::string& text);

    std::string ExpandParameters(const std::string& s);
    // Runs each "|"-separated part as its own line; false when there was
    // no part (an empty macro runs nothing).
    bool RunMacro(const std::string& s);
    bool WriteCommand(const std::string& key, std::optional<std::string_view> value);
    void MoveToEdge(int edge, const char* iniValue);

    void DoNoop(const Line&, bool&);
    void DoW3(const Line&, bool&);
    void DoOpen(const Line&, bool&);
    void DoExe(const Line&, bool&);
    void DoParse(const Line&, bool&);
    void DoMacro(const Line&, bool&);
    void DoSave(const Line&, bool&);
    void DoDelete(const Line&, bool&);
    void DoForget(const Line&, bool&);
    void DoForgetLike(const Line&, bool&);
    void DoClock(const Line&, bool&);
    void DoSetVar(const Line&, bool&);
    void DoSkin(const Line&, bool&);
    void DoSleep(const Line&, bool&);
    void DoWav(const Line&, bool&);
    void DoMsg(const Line&, bool&);
    void DoHotkeys(const Line&, bool&);
    void DoDebug(const Line&, bool&);
    void DoFlash(const Line&, bool&);
    void DoMsgBox(const Line&, bool&);
    void DoShow(const Line&, bool&);
    void DoShowBox(const Line&, bool&);
    void DoUp(const Line&, bool&);
    void DoDown(const Line&, bool&);
    void DoAbout(const Line&, bool&);
    void DoErr(const Line&, bool&);
    void DoQuit(const Line&, bool&);
    void DoLaunch(const Line&, bool web);

    Platform& platform_;
    ProfileStore& store_;
    ProgramSettings& settings_;
    History& history_;
    InterpreterHosts hosts_;
    std::function<void()> lineFinished_;

    std::int16_t depth_ = 0;
    bool aborted_ = false;
    bool quitRequested_ = false;
    // Calls of RunCommand on the stack, and whether a runaway chain is being
    // unwound; see RunCommand.
    int activeCalls_ = 0;
    bool unwinding_ = false;
    // Lines run, and bytes of line text still allowed, on behalf of the
    // current top-level line; see RunCommand.
    std::uint64_t linesRun_ = 0;
    std::uint64_t textLeft_ = 0;
};

}  // namespace zindle
