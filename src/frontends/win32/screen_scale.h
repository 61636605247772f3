#pragma once
// The core sees the screen in 96-DPI pixels, so a skin keeps its size in
// inches on a 150 % or 200 % screen; Windows (per-monitor DPI aware) works
// in device pixels. Every coordinate crossing the boundary goes through here.

#include "frontends/win32/win32_api.h"
#include "platform/window_manager.h"

namespace zindle {

struct ScreenScale {
    int dpi = 96;

    int ToLogical(int pixels) const { return MulDiv(pixels, 96, dpi); }
    int ToDevice(int pixels) const { return MulDiv(pixels, dpi, 96); }
    RectPx ToLogical(const RECT& r) const {
        return {ToLogical(r.left), ToLogical(r.top), ToLogical(r.right), ToLogical(r.bottom)};
    }
    RECT ToDevice(const RectPx& r) const {
        return {ToDevice(r.left), ToDevice(r.top), ToDevice(r.right), ToDevice(r.bottom)};
    }
};

}  // namespace zindle
