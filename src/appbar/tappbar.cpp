#include "appbar/tappbar.h"

#include <algorithm>

#include "appbar/appbar_geometry.h"

namespace zindle {

using namespace appbar_geometry;

namespace {

constexpr char kAutoHideRefusal[] =
    "There is already an auto hidden window on this edge.\n\r"
    "Only one auto hidden window is allowed on each edge.";

}  // namespace

TAppBar::TAppBar(const Platform& platform) : platform_(platform) {
    const int width = NonNegative(ScreenWidth());
    const int height = NonNegative(ScreenHeight());
    block_.maxFloatWidth = width;
    block_.maxFloatHeight = height;
    block_.maxDockedWidth = width / 2;
    block_.maxDockedHeight = height / 2;
}

TAppBar::~TAppBar() {
    if (hook_) hook_->appBar = nullptr;
}

int TAppBar::ScreenWidth() { return platform_.windowManager.GetSystemMetrics(kSmCxScreen); }

int TAppBar::ScreenHeight() { return platform_.windowManager.GetSystemMetrics(kSmCyScreen); }

void TAppBar::Extends(Window& window) {
    Detach();
    host_ = &window.Native();
    HookAppBarWindow(*host_);
    UpdateAutoHideTimer();
    const RectPx rect = host_->GetWindowRect();
    block_.floatLeft = rect.left;
    block_.floatTop = rect.top;
    block_.floatRight = rect.right;
    block_.floatBottom = rect.bottom;
    SendAppBarMessage(kAbmNew, kEdgeFloat, 0, nullptr);
    // Docking at "none" (left by an earlier Detach) would undo the
    // registration just made; such a window starts out floating instead.
    if (block_.state == kEdgeNone) block_.state = kEdgeFloat;
    UpdateBar();
    // UpdateBar may have shown a message box, during which anything can happen.
    if (!host_) return;
    for (const unsigned command : {kScRestore, kScMinimize, kScMaximize}) host_->DeleteSystemMenuItem(command);
}

void TAppBar::Detach() {
    if (!host_) return;
    host_->KillTimer(kAutoHideTimerId);
    SetEdge(kEdgeNone);
    UnhookAppBarWindow();
    host_ = nullptr;
    proposedState_ = kEdgeNone;
}

void TAppBar::UpdateBar() { SetEdge(Edge()); }

bool TAppBar::LoadSettings() {
    if (registryRoot_ != kHkeyCurrentUser) return false;
    const auto bytes = platform_.system.ReadRegistryBinary(registryKey_);
    if (!bytes) return false;
    auto block = DecodeStateBlock(*bytes, block_);
    if (!block) return false;
    // A state we do not know gives no edge to dock on, and "none" would
    // remove the window from the shell at the next UpdateBar, after which no
    // docking registers it again. Floating keeps the window registered, so
    // that the next Edge write docks it.
    if (block->state < kEdgeLeft || block->state > kEdgeFloat || block->state == kEdgeNone) {
        block->state = kEdgeFloat;
    }
    block_ = *block;
    if (host_) UpdateAutoHideTimer();
    return true;
}

bool TAppBar::SaveSettings() {
    if (registryRoot_ != kHkeyCurrentUser) return false;
    return platform_.system.WriteRegistryBinary(registryKey_, EncodeStateBlock(block_));
}

int TAppBar::Edge() const { return proposedState_ != kEdgeNone ? proposedState_ : block_.state; }

void TAppBar::SetEdge(int edge) {
    const int state = (edge >= kEdgeLeft && edge <= kEdgeFloat) ? edge : kEdgeFloat;
    if (!host_) {
        block_.state = state;
        return;
    }
    if (const int autoHideEdge = GetAutoHideEdge(); autoHideEdge != kEdgeNone) {
        SendAppBarMessage(kAbmSetAutoHideBar, autoHideEdge, 0, nullptr);
    }
    block_.state = state;
    if (state == kEdgeNone) {
        SendAppBarMessage(kAbmRemove, kEdgeFloat, 0, nullptr);
    } else if (state == kEdgeFloat) {
        RectPx none;
        SendAppBarMessage(kAbmSetPos, kEdgeFloat, 0, &none);
        MoveWindowTo({block_.floatLeft, block_.floatTop, block_.floatRight, block_.floatBottom});
    } else {
        DockOn(state);
        if (!host_) return;  // detached while the refusal message was up
    }
    std::uintptr_t insertAfter = kHwndNoTopmost;
    if (block_.alwaysOnTop) insertAfter = fullScreen_ ? kHwndBottom : kHwndTopmost;
    host_->SetWindowPos(insertAfter, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize | kSwpNoActivate);
    SendAppBarMessage(kAbmActivate, kEdgeFloat, 0, nullptr);
    UpdateCaption(false, state);
    UpdateTaskbarButton(state);
    if (changed_) changed_();
}

void TAppBar::SetSlideTime(int milliseconds) {
    block_.slideTime = milliseconds;
    if (host_) UpdateAutoHideTimer();
}

void TAppBar::SetAutoHide(bool autoHide) {
    block_.autoHide = autoHide;
    if (host_) UpdateAutoHideTimer();
}

void TAppBar::UpdateAutoHideTimer() {
    host_->KillTimer(kAutoHideTimerId);
    if (block_.autoHide) {
        host_->SetTimer(kAutoHideTimerId, static_cast<unsigned>(std::max(block_.slideTime, kMinAutoHidePeriod)));
    }
}

std::intptr_t TAppBar::SendAppBarMessage(unsigned message, int edge, std::intptr_t lParam, RectPx* rect) {
    AppBarData data;
    data.window = host_->Handle();
    data.callbackMessage = kAppBarCallbackMessage;
    data.edge = static_cast<unsigned>(edge);
    if (rect) data.rect = *rect;
    data.lParam = lParam;
    const std::intptr_t result = platform_.windowManager.SHAppBarMessage(message, data);
    if (rect) *rect = data.rect;
    return result;
}

// The screen is measured now rather than when the object was made, so that
// the strip follows a change of resolution (the shell reports one with
// ABN_POSCHANGED, which docks again).
RectPx TAppBar::QueryDockedRect(int edge) {
    RectPx rect{0, 0, ScreenWidth(), ScreenHeight()};
    if (!block_.autoHide) SendAppBarMessage(kAbmQueryPos, edge, 0, &rect);
    const std::int64_t width = NonNegative(block_.dockedWidth);
    const std::int64_t height = NonNegative(block_.dockedHeight);
    switch (edge) {
        case kEdgeLeft: rect.right = Add(rect.left, width); break;
        case kEdgeTop: rect.bottom = Add(rect.top, height); break;
        case kEdgeRight: rect.left = Add(rect.right, -width); break;
        case kEdgeBottom: rect.top = Add(rect.bottom, -height); break;
        default: break;
    }
    return rect;
}

void TAppBar::DockOn(int edge) {
    if (block_.autoHide && SendAppBarMessage(kAbmSetAutoHideBar, edge, 1, nullptr) == 0) {
        block_.autoHide = false;
        UpdateAutoHideTimer();
        platform_.dialogs.MessageBox(kAutoHideRefusal, host_->GetWindowText(), MessageIcon::Information,
                                     MessageButtons::Ok, host_);
        if (!host_) return;
    }
    RectPx rect = QueryDockedRect(edge);
    if (block_.autoHide) {
        // An auto-hide bar reserves no strip.
        RectPx none;
        SendAppBarMessage(kAbmSetPos, kEdgeLeft, 0, &none);
    } else {
        SendAppBarMessage(kAbmSetPos, edge, 0, &rect);
    }
    AutoHideRect(autoHideShown_, rect);
    SlideWindow(rect);
}

void TAppBar::UpdateTaskbarButton(int state) {
    bool show = false;
    switch (block_.taskbarButton) {
        case 0: show = true; break;
        case 1: break;
        case 2:
            if (state == kEdgeNone) return;
            show = state == kEdgeFloat;
            break;
        default: return;
    }
    ModifyStyle(kGwlExStyle, show ? 0 : kWsExAppWindow, show ? kWsExAppWindow : 0, 0, true);
}

void TAppBar::ModifyStyle(int styleIndex, std::int32_t remove, std::int32_t add, unsigned extraFlags,
                          bool hideAndShow) {
    const std::int32_t old = host_->GetWindowLong(styleIndex);
    const std::int32_t updated = (old & ~remove) | add;
    if (updated == old) return;
    if (hideAndShow) host_->ShowWindow(kSwHide);
    host_->SetWindowLong(styleIndex, updated);
    if (hideAndShow) host_->ShowWindow(kSwShow);
    if (extraFlags != 0) {
        host_->SetWindowPos(kHwndTop, 0, 0, 0, 0,
                            kSwpNoMove | kSwpNoSize | kSwpNoZOrder | kSwpNoActivate | extraFlags);
    }
}

// The caption and system menu belong to a floating window only. While the
// user drags an outline (no full-window drag) the frame is left alone until
// the move ends.
void TAppBar::UpdateCaption(bool duringMove, int state) {
    if (duringMove && !platform_.windowManager.DragFullWindows()) return;
    if (state == kEdgeFloat) {
        ModifyStyle(kGwlStyle, 0, kWsCaptionAndSysMenu, kSwpFrameChanged, false);
    } else {
        ModifyStyle(kGwlStyle, kWsCaptionAndSysMenu, 0, kSwpFrameChanged, false);
    }
}

void TAppBar::MoveWindowTo(const RectPx& rect) {
    host_->SetWindowPos(kHwndTop, rect.left, rect.top, Width(rect), Height(rect), kSwpNoZOrder | kSwpNoActivate);
}

}  // namespace zindle
