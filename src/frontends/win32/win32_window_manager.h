#pragma once
// The shell's appbar protocol and window-management queries, in the 96-DPI
// pixels the core works in.

#include <optional>

#include "frontends/win32/screen_scale.h"
#include "platform/window_manager.h"

namespace zindle {

class Win32WindowManager : public WindowManager {
public:
    explicit Win32WindowManager(const ScreenScale& scale) : scale_(scale) {}

    std::intptr_t SHAppBarMessage(unsigned message, AppBarData& data) override;
    int GetSystemMetrics(int index) override;
    RectPx WorkArea() override;
    // Every display monitor (EnumDisplayMonitors), in virtual-screen
    // coordinates, named by its display device (\\.\DISPLAY2).
    std::vector<Monitor> Monitors() override;
    bool DragFullWindows() override;
    PointPx GetMessagePos() override;
    bool IsKeyDown(int virtualKey) override;
    std::uintptr_t GetActiveWindow() override;
    // The core's twips are 15 to its (96-DPI) pixel on every screen.
    int TwipsPerPixelX() override { return 15; }
    int TwipsPerPixelY() override { return 15; }

    // The strip the bar has reserved, as last set with ABM_SETPOS.
    std::optional<RectPx> Strip() const { return strip_; }

private:
    const ScreenScale& scale_;
    std::optional<RectPx> strip_;
};

}  // namespace zindle
