#pragma once
// Windows and controls of the headless platform: plain records of what the
// program set, found again by name, with timers running on virtual time.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/headless/virtual_time.h"

namespace zindle {

struct HeadlessWindowRegistry;
struct HeadlessWindowState;
class HeadlessLabel;

// Called when a label's fore colour is set to its window's back colour while
// it was different before: the text vanishes, as when the status line flashes.
using FlashHandler = std::function<void(const HeadlessLabel& label)>;

class HeadlessLabel final : public Label {
public:
    HeadlessLabel(std::shared_ptr<HeadlessWindowRegistry> registry,
                  std::shared_ptr<HeadlessWindowState> window, std::string name);
    ~HeadlessLabel() override;
    HeadlessLabel(const HeadlessLabel&) = delete;
    HeadlessLabel& operator=(const HeadlessLabel&) = delete;

    void SetText(const std::string& text) override;
    std::string Text() const override;
    void SetForeColor(Colour colour) override;
    Colour ForeColor() const override;

    const std::string& Name() const;
    const std::string& WindowName() const;

private:
    std::shared_ptr<HeadlessWindowRegistry> registry_;
    std::shared_ptr<HeadlessWindowState> window_;
    std::string name_;
    std::string text_;
    Colour foreColour_;
};

class HeadlessWindow final : public Window {
public:
    // time must outlive the window.
    HeadlessWindow(std::shared_ptr<HeadlessWindowRegistry> registry, VirtualTime& time, std::string name,
                   std::string caption);
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    std::unique_ptr<Label> CreateLabel(const std::string& name) override;
    // The window's timers stop for good when it is closed.
    std::unique_ptr<Timer> CreateTimer(const std::string& name) override;
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override;
    void SetVisible(bool visible) override;
    bool Visible() const override;
    // Marks the window closed and hides it.
    void Close() override;

    const std::string& Name() const;
    const std::string& Caption() const;
    bool Closed() const;

private:
    std::shared_ptr<HeadlessWindowRegistry> registry_;
    std::shared_ptr<HeadlessWindowState> state_;
    VirtualTime& time_;
};

class HeadlessWindowFactory final : public WindowFactory {
public:
    // time must outlive the factory and every window it makes.
    explicit HeadlessWindowFactory(VirtualTime& time);

    std::unique_ptr<Window> CreateWindow(const std::string& name, const std::string& caption) override;

    // The newest window of that name still in existence (closed or not), or null.
    HeadlessWindow* FindWindow(std::string_view name) const;
    // The newest label of that name on a window of that name, or null. A label
    // is found as long as it exists, even after its window is gone.
    HeadlessLabel* FindLabel(std::string_view windowName, std::string_view labelName) const;

    void SetFlashHandler(FlashHandler onFlash);

private:
    std::shared_ptr<HeadlessWindowRegistry> registry_;
    VirtualTime& time_;
};

}  // namespace zindle
