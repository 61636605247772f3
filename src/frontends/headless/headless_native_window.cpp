// The window-management side of a headless window: its procedure chain,
// rectangle, styles, z-order, system menu and window timers.

#include <algorithm>
#include <climits>
#include <utility>

#include "frontends/headless/headless_controls.h"
#include "frontends/headless/headless_registry.h"

namespace zindle {

namespace {

constexpr std::intptr_t kHtClient = 1;
constexpr int kPx = kHeadlessTwipsPerPixel;
// How long repainting a window takes in virtual time, so that a loop that
// repaints until the tick count has moved on ends.
constexpr std::uint32_t kFrameMilliseconds = 16;

}  // namespace

std::intptr_t HeadlessWindow::DefaultWindowProc(unsigned message, std::uintptr_t, std::intptr_t) {
    return message == kWmNcHitTest ? kHtClient : 0;
}

std::uintptr_t HeadlessWindow::Handle() const { return handle_; }

WindowProc HeadlessWindow::SetWindowProc(WindowProc procedure) {
    WindowProc previous = std::move(procedure_);
    procedure_ = procedure ? std::move(procedure) : WindowProc(DefaultWindowProc);
    return previous;
}

std::intptr_t HeadlessWindow::SendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (state_->closed) return 0;
    // A copy: the procedure may replace itself while it runs.
    const WindowProc procedure = procedure_;
    return procedure(message, wParam, lParam);
}

std::string HeadlessWindow::GetWindowText() const { return Caption(); }

RectPx HeadlessWindow::GetWindowRect() const {
    return {left_, top_, left_ + width_ / kPx, top_ + height_ / kPx};
}

RectPx HeadlessWindow::GetClientRect() const { return {0, 0, width_ / kPx, height_ / kPx}; }

PointPx HeadlessWindow::ClientToScreen(PointPx point) const {
    return {left_ + point.x, top_ + point.y};
}

bool HeadlessWindow::SetWindowPos(std::uintptr_t insertAfter, int x, int y, int width, int height,
                                  unsigned flags) {
    if (state_->closed) return false;
    if (!(flags & kSwpNoZOrder)) zOrder_ = insertAfter;
    if (!(flags & kSwpNoMove)) {
        left_ = x;
        top_ = y;
    }
    bool resized = false;
    if (!(flags & kSwpNoSize)) {
        const int newWidth = std::clamp(width, 0, INT32_MAX / kPx) * kPx;
        const int newHeight = std::clamp(height, 0, INT32_MAX / kPx) * kPx;
        resized = newWidth != width_ || newHeight != height_;
        width_ = newWidth;
        height_ = newHeight;
    }
    SendMessage(kWmWindowPosChanged, 0, 0);
    if (resized && events_.resize) events_.resize();
    return true;
}

void HeadlessWindow::ShowWindow(int command) { SetVisible(command != kSwHide); }

void HeadlessWindow::UpdateWindow() { time_.Sleep(kFrameMilliseconds); }

std::int32_t HeadlessWindow::GetWindowLong(int index) const {
    return index == kGwlExStyle ? exStyle_ : index == kGwlStyle ? style_ : 0;
}

std::int32_t HeadlessWindow::SetWindowLong(int index, std::int32_t value) {
    std::int32_t* field = index == kGwlExStyle ? &exStyle_ : index == kGwlStyle ? &style_ : nullptr;
    if (!field) return 0;
    return std::exchange(*field, value);
}

void HeadlessWindow::DeleteSystemMenuItem(unsigned command) {
    if (SystemMenuHas(command)) removedMenuItems_.push_back(command);
}

bool HeadlessWindow::SystemMenuHas(unsigned command) const {
    return std::find(removedMenuItems_.begin(), removedMenuItems_.end(), command) ==
           removedMenuItems_.end();
}

std::uintptr_t HeadlessWindow::ZOrder() const { return zOrder_; }

void HeadlessWindow::SetTimer(unsigned id, unsigned milliseconds) {
    KillTimer(id);
    std::unique_ptr<Timer> timer = CreateTimer("timer" + std::to_string(id));
    timer->SetInterval(static_cast<int>(std::min<unsigned>(milliseconds, INT32_MAX)));
    timer->SetHandler([this, id] { SendMessage(kWmTimer, id, 0); });
    timer->SetEnabled(true);
    timers_.emplace_back(id, std::move(timer));
}

void HeadlessWindow::KillTimer(unsigned id) {
    std::erase_if(timers_, [id](const auto& entry) { return entry.first == id; });
}

bool HeadlessWindow::HasTimer(unsigned id) const {
    return std::any_of(timers_.begin(), timers_.end(), [id](const auto& entry) { return entry.first == id; });
}

void HeadlessWindow::Activate() {
    const std::uintptr_t previous = registry_->activeWindow;
    if (previous == handle_) return;
    registry_->activeWindow = handle_;
    for (HeadlessWindow* window : registry_->windows) {
        if (window->Handle() == previous) window->SendMessage(kWmActivate, 0, 0);
    }
    SendMessage(kWmActivate, 1, 0);
}

bool HeadlessWindow::RegisterHotkey(int id, int keyCode, int modifiers) {
    return !state_->closed && registry_->hotkeys.Register(handle_, id, keyCode, modifiers);
}

void HeadlessWindow::UnregisterHotkey(int id) { registry_->hotkeys.Unregister(handle_, id); }

}  // namespace zindle
