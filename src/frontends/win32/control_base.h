#pragma once
// The Control part every control shares: its frame in twips. Changes go to
// FrameChanged, which moves a child window or repaints a painted control.

#include <memory>

#include "frontends/win32/window_state.h"

namespace zindle {

template <typename Interface>
class ControlBase : public Interface {
public:
    explicit ControlBase(std::shared_ptr<WindowState> window) : window_(std::move(window)) {}

    void SetLeft(int twips) override { Change([&] { frame_.left = twips; }); }
    void SetTop(int twips) override { Change([&] { frame_.top = twips; }); }
    void SetWidth(int twips) override { Change([&] { frame_.width = twips < 0 ? 0 : twips; }); }
    void SetHeight(int twips) override { Change([&] { frame_.height = twips < 0 ? 0 : twips; }); }
    int Left() const override { return frame_.left; }
    int Top() const override { return frame_.top; }
    int Width() const override { return frame_.width; }
    int Height() const override { return frame_.height; }
    void SetVisible(bool visible) override { Change([&] { frame_.visible = visible; }); }
    bool Visible() const override { return frame_.visible; }

protected:
    // Called with the pixel rectangle the control covered before the change.
    virtual void FrameChanged(const RECT& before) = 0;

    template <typename Edit>
    void Change(Edit edit) {
        const RECT before = frame_.Pixels(*window_);
        edit();
        FrameChanged(before);
    }

    std::shared_ptr<WindowState> window_;
    ControlFrame frame_;
};

}  // namespace zindle
