// Keys of the command box: Enter, Escape, stepping through the history,
// and completion while typing.

#include "bar/command_history.h"
#include "bar/form1.h"
#include "interpreter/history.h"
#include "profile/conversions.h"
#include "profile/program_settings.h"
#include "text/utf8.h"

namespace zindle {

namespace {

constexpr int kKeyDelete = 46;
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;
constexpr int kCharBackspace = 8;
constexpr int kCharEnter = 13;
constexpr int kCharEscape = 27;

}  // namespace

void Form1::TxtCmdKeyDown(int& keyCode, int) {
    History& history = context_.history;
    const int entries = static_cast<int>(history.gHistory.size());
    if (entries == 0) return;
    if (keyCode == kKeyDelete) {
        suppressAutoComplete_ = true;
    } else if (keyCode == kKeyUp) {
        if (history.gHistoryIndex >= entries) return;
        ++history.gHistoryIndex;
        HistoryStep(true);
        keyCode = 0;
    } else if (keyCode == kKeyDown) {
        if (history.gHistoryIndex >= 0) --history.gHistoryIndex;
        HistoryStep(false);
        keyCode = 0;
    }
}

void Form1::HistoryStep(bool up) {
    History& history = context_.history;
    const int entries = static_cast<int>(history.gHistory.size());
    // Entries removed by a hotkey or a clock while stepping can leave the
    // position past the end: come back to the oldest entry.
    if (history.gHistoryIndex > entries) history.gHistoryIndex = static_cast<std::int16_t>(entries);
    if (history.gHistoryIndex == 0) {
        // The Run text was added stripped, so it is compared stripped.
        const std::string last = TrimBlanks(history.gLastRunText);
        if (last.empty() || last == history.gHistory.front()) {
            history.gHistoryIndex = up ? 1 : -1;
        }
    }
    const int index = history.gHistoryIndex;
    if (index < 0) {
        txtCmd_->SetText("");
    } else if (index == 0) {
        txtCmd_->SetText(history.gLastRunText);
    } else {
        const std::string& entry = history.gHistory[static_cast<std::size_t>(index - 1)];
        txtCmd_->SetText(entry);
        txtCmd_->SetSelection(static_cast<int>(Utf8Length(entry)), 0);
    }
}

void Form1::TxtCmdKeyPress(int& charCode) {
    if (charCode == kCharEnter) {
        Run();
        charCode = 0;
        context_.history.gHistoryIndex = -1;
    } else if (charCode == kCharEscape) {
        txtCmd_->SetText("");
        charCode = 0;
        context_.history.gHistoryIndex = -1;
    } else if (charCode == kCharBackspace) {
        suppressAutoComplete_ = true;
    }
}

void Form1::TxtCmdChange() {
    if (suppressAutoComplete_) {
        suppressAutoComplete_ = false;
        return;
    }
    AutoComp();
}

void Form1::AutoComp() {
    const std::string typed = txtCmd_->Text();
    if (TrimBlanks(typed).empty()) return;
    const std::string completion =
        FindCompletion(context_.history, typed, context_.settings.gCaseSensitive);
    if (completion.empty()) return;
    txtCmd_->SetFocus();
    // The box raises no change for an unchanged text, so only a real change
    // may leave the flag for its change handler to clear.
    suppressAutoComplete_ = completion != typed;
    txtCmd_->SetText(completion);
    const int typedChars = static_cast<int>(Utf8Length(typed));
    txtCmd_->SetSelection(typedChars, static_cast<int>(Utf8Length(completion)) - typedChars);
}

}  // namespace zindle
