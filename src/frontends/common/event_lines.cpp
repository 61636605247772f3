#include "frontends/common/event_lines.h"

#include <cstddef>

namespace zindle {

namespace {

const char* IconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return "information";
        case MessageIcon::Exclamation: return "exclamation";
        case MessageIcon::Critical: return "critical";
        case MessageIcon::Question: return "question";
        case MessageIcon::None: break;
    }
    return "none";
}

const char* ButtonName(BarButton button) {
    switch (button) {
        case BarButton::Swap: return "swap";
        case BarButton::Run: return "run";
        case BarButton::Exit: break;
    }
    return "exit";
}

std::string RectLine(const char* name, const RectPx& r) {
    return std::string(name) + ": " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
           std::to_string(r.right) + " " + std::to_string(r.bottom);
}

std::string Prefixed(const char* prefix, std::string_view text) { return prefix + EscapeLineBreaks(text); }

}  // namespace

std::string EscapeLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            result += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            result += c;
        }
    }
    return result;
}

std::string StatusEventLine(std::string_view status) { return Prefixed("status: ", status); }
std::string OpenEventLine(std::string_view target) { return Prefixed("open: ", target); }
std::string ExecEventLine(std::string_view commandLine) { return Prefixed("exec: ", commandLine); }
std::string SoundEventLine(std::string_view path) { return Prefixed("sound: ", path); }
std::string ClockEventLine(std::string_view text) { return Prefixed("clock: ", text); }

std::string MessageBoxEventLine(std::string_view title, std::string_view text, MessageIcon icon,
                                MessageButtons buttons) {
    return "msgbox: " + EscapeLineBreaks(title) + " | " + EscapeLineBreaks(text) + " | " + IconName(icon) +
           " | " + (buttons == MessageButtons::YesNo ? "yesno" : "ok");
}

std::string CommandEventLine(std::string_view text, int selectionStart, int selectionLength) {
    std::string line = Prefixed("command: ", text);
    if (selectionLength > 0) {
        line += " [" + std::to_string(selectionStart) + "+" + std::to_string(selectionLength) + "]";
    }
    return line;
}

std::string FaceEventLine(BarButton button, int face, int state) {
    return std::string("face: ") + ButtonName(button) + " " + std::to_string(face) + " " + std::to_string(state);
}

std::string EdgeEventLine(int edge) { return "edge: " + std::to_string(edge); }

std::string WindowEventLine(const RectPx& rect) { return RectLine("window", rect); }

std::string StripEventLine(const std::optional<RectPx>& strip) {
    return strip ? RectLine("strip", *strip) : std::string("strip: none");
}

std::string HotkeysEventLine(const std::vector<HotkeyRegistration>& hotkeys) {
    std::string line = "hotkeys:";
    for (const HotkeyRegistration& hotkey : hotkeys) {
        line += " " + std::to_string(hotkey.id) + ":" + std::to_string(hotkey.keyCode) + ":" +
                std::to_string(hotkey.modifiers);
    }
    if (hotkeys.empty()) line += " none";
    return line;
}

std::string DialogEventLine(std::string_view boxName, std::string_view text) {
    return "dialog: " + std::string(boxName) + " " + EscapeLineBreaks(text);
}

}  // namespace zindle
