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

void Step(Label& label, System& system, const std::string& text, std::uint32_t delay) {
    label.SetText(text);
    system.DoEvents();
    system.Sleep(delay);
}

}  // namespace

void WipeText(Label& label, System& system, std::int16_t duration) {
    const std::string start = label.Text();
    if (start.empty()) return;
    const std::size_t chars = Utf8Length(start);
    const std::uint32_t delay = StepDelay(duration, chars);
    if (chars > kMaxAnimatedChars) {
        Step(label, system, "", delay);
        return;
    }
    for (std::size_t i = chars + 1; i-- > 0;) {
        // A nested effect may have changed the label meanwhile: keep cutting
        // whatever it shows now.
        Step(label, system, Utf8Right(label.Text(), i), delay);
    }
}

void TypeText(Label& label, System& system, const std::string& text, std::int16_t duration) {
    if (label.Text() == text) return;
    if (text.empty()) {
        label.SetText("");
        return;
    }
    const std::size_t chars = Utf8Length(text);
    const std::uint32_t delay = StepDelay(duration, chars);
    WipeText(label, system, duration);
    if (chars > kMaxAnimatedChars) {
        Step(label, system, text, delay);
        return;
    }
    std::size_t offset = 0;
    for (std::size_t i = 0; i < chars; ++i) {
        offset += Utf8CharSize(text, offset);
        Step(label, system, text.substr(0, offset), delay);
    }
}

}  // namespace zindle
