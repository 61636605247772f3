#include "frontends/headless/headless_dialog_controls.h"

#include "frontends/headless/headless_registry.h"
#include "frontends/headless/output.h"

namespace zindle {

HeadlessCheckBox::HeadlessCheckBox(std::shared_ptr<HeadlessWindowRegistry> registry,
                                   std::shared_ptr<HeadlessWindowState> window, std::string name)
    : HeadlessControlOf(std::move(registry), std::move(window), std::move(name)) {}

std::string HeadlessCheckBox::Describe() const {
    return EscapeLineBreaks(Name()) + " " + DescribeFrame() +
           " checked=" + (checked_ ? "yes" : "no") + " caption=" + EscapeLineBreaks(caption_);
}

HeadlessCommandButton::HeadlessCommandButton(std::shared_ptr<HeadlessWindowRegistry> registry,
                                             std::shared_ptr<HeadlessWindowState> window,
                                             std::string name)
    : HeadlessControlOf(std::move(registry), std::move(window), std::move(name)) {}

void HeadlessCommandButton::Click() {
    // A copy: the handler may close the dialog and destroy this button.
    if (const auto onClick = onClick_) onClick();
}

std::string HeadlessCommandButton::Describe() const {
    return EscapeLineBreaks(Name()) + " " + DescribeFrame() + " caption=" + EscapeLineBreaks(caption_);
}

HeadlessLine::HeadlessLine(std::shared_ptr<HeadlessWindowRegistry> registry,
                           std::shared_ptr<HeadlessWindowState> window, std::string name)
    : HeadlessControlOf(std::move(registry), std::move(window), std::move(name)) {}

std::string HeadlessLine::Describe() const { return EscapeLineBreaks(Name()) + " " + DescribeFrame(); }

// The window's factory methods for these controls live here with them.

std::unique_ptr<CheckBox> HeadlessWindow::CreateCheckBox(const std::string& name) {
    return std::make_unique<HeadlessCheckBox>(registry_, state_, name);
}

std::unique_ptr<CommandButton> HeadlessWindow::CreateButton(const std::string& name) {
    return std::make_unique<HeadlessCommandButton>(registry_, state_, name);
}

std::unique_ptr<Control> HeadlessWindow::CreateLine(const std::string& name) {
    return std::make_unique<HeadlessLine>(registry_, state_, name);
}

}  // namespace zindle
