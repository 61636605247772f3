#pragma once
// The bar window's controls as the skin code sees them. The bar owns them;
// the skin sets their geometry, colours, fonts and pictures.

#include <string>

#include "platform/controls.h"

namespace zindle {

struct BarControls {
    Window& window;
    PictureBox& picSwapPos;
    TextBox& txtCmd;
    PictureBox& picRunCmd;
    PictureBox& picClose;
    Label& lblMsg;
    Label& lblTimer;
    // The up/down button's tag: "1" while it shows the up arrow, "2" the down
    // arrow. The bar keeps it; the skin reads it to pick the at-rest face.
    const std::string& swapTag;
};

}  // namespace zindle
