#pragma once
// Check boxes, buttons and lines for the headless dialogs.

#include <functional>
#include <memory>
#include <string>

#include "frontends/headless/headless_controls.h"

namespace zindle {

class HeadlessCheckBox final : public HeadlessControlOf<CheckBox> {
public:
    HeadlessCheckBox(std::shared_ptr<HeadlessWindowRegistry> registry,
                     std::shared_ptr<HeadlessWindowState> window, std::string name);
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    std::string Caption() const override { return caption_; }
    void SetChecked(bool checked) override { checked_ = checked; }
    bool Checked() const override { return checked_; }
    // "NAME left=.. top=.. width=.. height=.. visible=.. checked=yes|no caption=TEXT"
    std::string Describe() const override;

private:
    std::string caption_;
    bool checked_ = false;
};

class HeadlessCommandButton final : public HeadlessControlOf<CommandButton> {
public:
    HeadlessCommandButton(std::shared_ptr<HeadlessWindowRegistry> registry,
                          std::shared_ptr<HeadlessWindowState> window, std::string name);
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    std::string Caption() const override { return caption_; }
    void SetClickHandler(std::function<void()> onClick) override { onClick_ = std::move(onClick); }
    // The user clicking the button.
    void Click();
    // "NAME left=.. top=.. width=.. height=.. visible=.. caption=TEXT"
    std::string Describe() const override;

private:
    std::string caption_;
    std::function<void()> onClick_;
};

class HeadlessLine final : public HeadlessControlOf<Control> {
public:
    HeadlessLine(std::shared_ptr<HeadlessWindowRegistry> registry,
                 std::shared_ptr<HeadlessWindowState> window, std::string name);
    // "NAME left=.. top=.. width=.. height=.. visible=.."
    std::string Describe() const override;
};

}  // namespace zindle
