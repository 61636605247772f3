#include "textfx/textfx.h"

#include "text/utf8.h"

namespace zindle {

namespace {

// Beyond this many characters the steps cannot be seen (the delay is 0 and
// the label shows only its start), while stepping through them costs time
// quadratic in the length: a pasted megabyte would freeze the bar. Such a
// text is wiped or typed in one step.
constexpr std::size_t kMaxAnimatedChars = 2048;

std::uint32_t StepDelay(std::int16_t duration, std::size_t chars) {
    if (duration <= 0 || chars == 0) return 0;
    return static_cast<std::uint32_t>(duration / static_cast<std::int64_t>(chars));
}

// One step; false when the effect must stop, which the events it lets run
// may have decided.
bool Step(Label& label, System& system, const std::string& text, std::uint32_t delay, const bool& stop) {
    if (stop) return false;
    label.SetText(text);
    system.DoEvents();
    if (stop) return false;
    system.Sleep(delay);
    return true;
}

}  // namespace

void WipeText(Label& label, System& system, std::int16_t duration, const bool& stop) {
    std::string shown = label.Text();
    if (shown.empty()) return;
    const std::size_t chars = Utf8Length(shown);
    const std::uint32_t delay = StepDelay(duration, chars);
    if (chars > kMaxAnimatedChars) {
        Step(label, system, "", delay, stop);
        return;
    }
    std::size_t length = chars;
    for (std::size_t i = chars + 1; i-- > 0;) {
        // A nested effect may have changed the label meanwhile: keep cutting
        // whatever it shows now. Otherwise one character goes.
        if (!label.ShowsText(shown)) {
            shown = label.Text();
            length = Utf8Length(shown);
        }
        if (i < length) {
            shown.erase(0, Utf8Offset(shown, length - i));
            length = i;
        }
        if (!Step(label, system, shown, delay, stop)) return;
    }
}

void TypeText(Label& label, System& system, const std::string& text, std::int16_t duration,
              const bool& stop) {
    if (stop || label.Text() == text) return;
    if (text.empty()) {
        label.SetText("");
        return;
    }
    const std::size_t chars = Utf8Length(text);
    const std::uint32_t delay = StepDelay(duration, chars);
    WipeText(label, system, duration, stop);
    if (chars > kMaxAnimatedChars) {
        Step(label, system, text, delay, stop);
        return;
    }
    // One buffer grows by a character a step.
    std::string typed;
    typed.reserve(text.size());
    std::size_t offset = 0;
    for (std::size_t i = 0; i < chars; ++i) {
        const std::size_t size = Utf8CharSize(text, offset);
        typed.append(text, offset, size);
        offset += size;
        if (!Step(label, system, typed, delay, stop)) return;
    }
}

}  // namespace zindle
