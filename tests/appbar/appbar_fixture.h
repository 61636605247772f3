#pragma once
// A bar window on the headless desktop with a TAppBar, configured as the bar
// configures it. The window's own procedure records the messages that reach
// it and every position the window takes, and answers WM_NCHITTEST with a
// code the test chooses.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "appbar/tappbar.h"
#include "frontends/headless/headless_platform.h"
#include "temp_dir.h"

namespace zindle {

class AppBarTest : public ::testing::Test {
protected:
    AppBarTest()
        : platform_(HeadlessOptions{dir_.Path().string(), "", false, kDefaultStartTime},
                    [this](const std::string& line) { output_.push_back(line); }),
          bundle_(platform_.Bundle()),
          window_(platform_.windows.CreateWindow("Form1", "Zindle", WindowKind::Bar)),
          host_(dynamic_cast<HeadlessWindow&>(*window_)),
          appBar_(std::make_unique<TAppBar>(bundle_)) {
        host_.SetWindowProc([this](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
            received_.push_back(message);
            if (message == kWmWindowPosChanged) positions_.push_back(host_.GetWindowRect());
            return message == kWmNcHitTest ? hitTestCode_ : HeadlessWindow::DefaultWindowProc(message, wParam, lParam);
        });
    }

    // AppBarInit's sequence, with the bar's height known.
    void ConfigureAsBar(int edge) {
        appBar_->Extends(*window_);
        appBar_->SetRegistryKey("Software\\Orvane\\Zindle");
        appBar_->LoadSettings();
        appBar_->SetAlwaysOnTop(false);
        appBar_->SetAllowFlags(12);
        appBar_->SetEdge(edge);
        appBar_->SetHeightStep(1);
        appBar_->SetDockedHeight(21);
        appBar_->SetMinDockedWidth(1);
        appBar_->SetMaxDockedWidth(50);
        appBar_->SetAutoHide(false);
        appBar_->SetTaskbarButton(1);
        appBar_->SaveSettings();
        appBar_->UpdateBar();
    }

    // Stores the block in the registry, attaches the bar and loads it.
    bool AttachWithSavedBlock(const StateBlock& block) {
        std::filesystem::create_directories(dir_.File("registry/Software/Orvane/Zindle"));
        const auto bytes = EncodeStateBlock(block);
        WriteBytes(RegistryFile(), std::string(bytes.begin(), bytes.end()));
        appBar_->Extends(*window_);
        appBar_->SetRegistryKey("Software\\Orvane\\Zindle");
        return appBar_->LoadSettings();
    }

    std::intptr_t Send(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
        return host_.SendMessage(message, wParam, lParam);
    }
    template <class Record>
    std::intptr_t Send(unsigned message, std::uintptr_t wParam, Record& record) {
        return Send(message, wParam, reinterpret_cast<std::intptr_t>(&record));
    }
    std::optional<RectPx> Strip() const { return platform_.windowManager.StripOf(host_.Handle()); }
    RectPx Rect() const { return host_.GetWindowRect(); }
    std::uint64_t Now() const { return platform_.time.ElapsedMilliseconds(); }
    std::string RegistryFile() const { return dir_.File("registry/Software/Orvane/Zindle/(default)"); }

    static constexpr RectPx kTopStrip{0, 0, 1024, 21};
    static constexpr RectPx kBottomStrip{0, 747, 1024, 768};

    TempDir dir_;
    std::vector<std::string> output_;
    HeadlessPlatform platform_;
    Platform bundle_;
    std::unique_ptr<Window> window_;
    HeadlessWindow& host_;
    std::intptr_t hitTestCode_ = 1;
    std::vector<unsigned> received_;
    std::vector<RectPx> positions_;
    std::unique_ptr<TAppBar> appBar_;
};

}  // namespace zindle
