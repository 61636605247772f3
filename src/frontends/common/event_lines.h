#pragma once
// The event lines every front end writes, one per event: zindle-headless on
// its standard output, the window front ends into their --trace file. Their
// meaning is fixed by the headless protocol (tests/e2e/README.md); these
// functions are the one place their spelling lives.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bar/form1.h"
#include "platform/dialogs.h"
#include "platform/window_manager.h"

namespace zindle {

struct HotkeyRegistration {
    int id = 0;
    int keyCode = 0;
    int modifiers = 0;
    bool operator==(const HotkeyRegistration&) const = default;
};

// CR LF, a lone CR and a lone LF each become the two characters "\n", so one
// event always stays one line.
std::string EscapeLineBreaks(std::string_view text);

std::string StatusEventLine(std::string_view status);
std::string OpenEventLine(std::string_view target);
std::string ExecEventLine(std::string_view commandLine);
std::string SoundEventLine(std::string_view path);
std::string MessageBoxEventLine(std::string_view title, std::string_view text, MessageIcon icon,
                                MessageButtons buttons);
// " [START+LENGTH]" follows when text is selected (positions in characters).
std::string CommandEventLine(std::string_view text, int selectionStart, int selectionLength);
std::string ClockEventLine(std::string_view text);
std::string FaceEventLine(BarButton button, int face, int state);
std::string EdgeEventLine(int edge);
std::string WindowEventLine(const RectPx& rect);
std::string StripEventLine(const std::optional<RectPx>& strip);
std::string HotkeysEventLine(const std::vector<HotkeyRegistration>& hotkeys);
std::string DialogEventLine(std::string_view boxName, std::string_view text);

inline constexpr const char* kClockHiddenEventLine = "clock: hidden";
inline constexpr const char* kFlashEventLine = "flash";
inline constexpr const char* kFailedEventLine = "failed";
inline constexpr const char* kExitEventLine = "exit";

}  // namespace zindle
