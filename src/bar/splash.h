#pragma once
// The banner shown while the program starts; it closes itself when its
// timer fires.

#include <memory>

#include "platform/controls.h"
#include "platform/system.h"

namespace zindle {

class frmSplash {
public:
    explicit frmSplash(WindowFactory& windows);

    // Shows the window without waiting and closes it after `milliseconds`.
    void Show(System& system, int milliseconds);
    bool Closed() const { return closed_; }

private:
    void Unload();

    std::unique_ptr<Window> window_;
    std::unique_ptr<Timer> Timer1_;
    std::unique_ptr<Label> Label1_;
    std::unique_ptr<PictureBox> Image1_;
    bool closed_ = false;
};

}  // namespace zindle
