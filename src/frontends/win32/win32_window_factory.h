#pragma once
// Creates the program's windows and pictures, and runs modal dialogs.

#include <functional>

#include "frontends/common/trace_file.h"
#include "frontends/win32/screen_scale.h"
#include "platform/controls.h"

namespace zindle {

class Win32WindowFactory : public WindowFactory {
public:
    Win32WindowFactory(TraceFile& trace, ScreenScale& scale) : trace_(trace), scale_(scale) {}

    // What the bar does when Explorer announces that it (re)started.
    void SetTaskbarCreatedHandler(std::function<void()> handler) { onTaskbarCreated_ = std::move(handler); }

    std::unique_ptr<Window> CreateWindow(const std::string& name, const std::string& caption,
                                         WindowKind kind) override;
    PicturePtr LoadPictureFile(const std::string& path) override;
    PicturePtr LoadPictureResource(const std::string& name) override;
    void ReleaseCapture() override;
    void RunModal(Window& dialog, Window& owner) override;

private:
    TraceFile& trace_;
    ScreenScale& scale_;
    std::function<void()> onTaskbarCreated_;
};

}  // namespace zindle
