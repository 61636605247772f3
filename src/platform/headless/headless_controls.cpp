#include "platform/headless/headless_controls.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zindle {

// What a label needs of its window, kept apart so a label may outlive it.
struct HeadlessWindowState {
    std::string name;
    std::string caption;
    Colour backColour = MakeColour(240, 240, 240);
    bool visible = false;
    bool closed = false;
};

// The live windows and labels in creation order; each removes itself when
// it is destroyed, so the registry never holds a dangling pointer.
struct HeadlessWindowRegistry {
    std::vector<HeadlessWindow*> windows;
    std::vector<HeadlessLabel*> labels;
    FlashHandler onFlash;
};

HeadlessLabel::HeadlessLabel(std::shared_ptr<HeadlessWindowRegistry> registry,
                             std::shared_ptr<HeadlessWindowState> window, std::string name)
    : registry_(std::move(registry)),
      window_(std::move(window)),
      name_(std::move(name)),
      foreColour_(MakeColour(0, 0, 0)) {
    registry_->labels.push_back(this);
}

HeadlessLabel::~HeadlessLabel() { std::erase(registry_->labels, this); }

void HeadlessLabel::SetText(const std::string& text) { text_ = text; }

std::string HeadlessLabel::Text() const { return text_; }

void HeadlessLabel::SetForeColor(Colour colour) {
    const bool wasVisible = foreColour_ != window_->backColour;
    foreColour_ = colour;
    if (wasVisible && colour == window_->backColour && registry_->onFlash) {
        // A copy, so a handler that replaces itself is not destroyed mid-call.
        const FlashHandler onFlash = registry_->onFlash;
        onFlash(*this);
    }
}

Colour HeadlessLabel::ForeColor() const { return foreColour_; }

const std::string& HeadlessLabel::Name() const { return name_; }

const std::string& HeadlessLabel::WindowName() const { return window_->name; }

HeadlessWindow::HeadlessWindow(std::shared_ptr<HeadlessWindowRegistry> registry, VirtualTime& time,
                               std::string name, std::string caption)
    : registry_(std::move(registry)), state_(std::make_shared<HeadlessWindowState>()), time_(time) {
    state_->name = std::move(name);
    state_->caption = std::move(caption);
    registry_->windows.push_back(this);
}

HeadlessWindow::~HeadlessWindow() { std::erase(registry_->windows, this); }

std::unique_ptr<Label> HeadlessWindow::CreateLabel(const std::string& name) {
    return std::make_unique<HeadlessLabel>(registry_, state_, name);
}

std::unique_ptr<Timer> HeadlessWindow::CreateTimer(const std::string& /*name*/) {
    return time_.CreateTimer([state = state_] { return !state->closed; });
}

void HeadlessWindow::SetBackColor(Colour colour) { state_->backColour = colour; }

Colour HeadlessWindow::BackColor() const { return state_->backColour; }

void HeadlessWindow::SetVisible(bool visible) { state_->visible = visible && !state_->closed; }

bool HeadlessWindow::Visible() const { return state_->visible; }

void HeadlessWindow::Close() {
    state_->closed = true;
    state_->visible = false;
}

const std::string& HeadlessWindow::Name() const { return state_->name; }

const std::string& HeadlessWindow::Caption() const { return state_->caption; }

bool HeadlessWindow::Closed() const { return state_->closed; }

HeadlessWindowFactory::HeadlessWindowFactory(VirtualTime& time)
    : registry_(std::make_shared<HeadlessWindowRegistry>()), time_(time) {}

std::unique_ptr<Window> HeadlessWindowFactory::CreateWindow(const std::string& name,
                                                            const std::string& caption) {
    return std::make_unique<HeadlessWindow>(registry_, time_, name, caption);
}

HeadlessWindow* HeadlessWindowFactory::FindWindow(std::string_view name) const {
    const auto& windows = registry_->windows;
    const auto found = std::find_if(windows.rbegin(), windows.rend(),
                                    [name](const HeadlessWindow* window) { return window->Name() == name; });
    return found == windows.rend() ? nullptr : *found;
}

HeadlessLabel* HeadlessWindowFactory::FindLabel(std::string_view windowName,
                                                std::string_view labelName) const {
    const auto& labels = registry_->labels;
    const auto found = std::find_if(labels.rbegin(), labels.rend(), [&](const HeadlessLabel* label) {
        return label->WindowName() == windowName && label->Name() == labelName;
    });
    return found == labels.rend() ? nullptr : *found;
}

void HeadlessWindowFactory::SetFlashHandler(FlashHandler onFlash) { registry_->onFlash = std::move(onFlash); }

}  // namespace zindle
