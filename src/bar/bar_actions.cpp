// Run, swap and exit, and the faces of the picture buttons.

#include "appbar/appbar.h"
#include "bar/command_history.h"
#include "bar/form1.h"
#include "bar/pending_saves.h"
#include "interpreter/history.h"
#include "interpreter/interpreter.h"
#include "platform/platform.h"
#include "profile/conversions.h"
#include "profile/program_settings.h"
#include "skinning/skin_record.h"
#include "textfx/textfx.h"

namespace zindle {

namespace {

constexpr std::int16_t kStatusDuration = 250;

}  // namespace

// One run at a time: the line is the box's text at the moment of Enter or
// of the click, and what the user types while it runs waits in the box's
// held input until it has finished, so it can neither slip into this line
// nor start a second one inside it (which would share the dispatcher's
// counter and flags). A click on Run meanwhile is ignored.
void Form1::Run() {
    if (running_) return;
    running_ = true;
    txtCmd_->SetInputHeld(true);
    const std::string text = txtCmd_->Text();
    History& history = context_.history;
    Interpreter& interpreter = context_.interpreter;
    System& system = context_.platform.system;
    history.gHistoryIndex = -1;
    interpreter.gMessageShown = false;
    interpreter.gCommandFailed = false;
    lblMsg_->SetForeColor(GetSkinColor(context_.skin, 7));
    TypeText(*lblMsg_, system, "Working...", kStatusDuration, unloaded_);
    system.DoEvents();
    if (unloaded_) return;
    txtCmd_->SetReadOnly(true);
    if (!TrimBlanks(text).empty()) {
        interpreter.RunCommand(text);
    } else {
        TypeText(*lblMsg_, system, "- no command entered! -", kStatusDuration, unloaded_);
        BlinkBar();
    }
    // "%%quit" ends the program at once: nothing of the bar is touched again.
    if (unloaded_) return;
    history.gLastRunText = txtCmd_->Text();
    if (!interpreter.gCommandFailed) {
        AddToHistory(history, txtCmd_->Text(), context_.settings.gHistoryLength);
        pendingSaves_->Schedule();
    }
    lblMsg_->SetForeColor(GetSkinColor(context_.skin, 4));
    txtCmd_->SetText("");
    txtCmd_->SetReadOnly(false);
    running_ = false;
    if (runObserver_) runObserver_();
    // Last: an Enter typed ahead runs the next line from here.
    txtCmd_->SetInputHeld(false);
}

void Form1::Exit() { Unload(); }

int Form1::CurrentEdge() const {
    return context_.appBar.Edge();
}

void Form1::SetSwapFace(int face) {
    ShowFace(BarButton::Swap, face, kStateNormal);
    swapTag_ = std::to_string(face);
}

void Form1::Swap() {
    const bool toTop = CurrentEdge() == kEdgeBottom;
    context_.appBar.SetEdge(toTop ? kEdgeTop : kEdgeBottom);
    SetSwapFace(toTop ? kFaceDown : kFaceUp);
}

void Form1::DockAtEdge(int edge) {
    context_.appBar.SetEdge(edge);
    SetSwapFace(edge == kEdgeTop ? kFaceDown : kFaceUp);
}

int Form1::ButtonId(BarButton button) const {
    switch (button) {
        case BarButton::Swap: return ToInt16(swapTag_);
        case BarButton::Run: return kFaceRun;
        case BarButton::Exit: break;
    }
    return kFaceExit;
}

void Form1::ShowFace(BarButton button, int face, int state) {
    Button(button).SetPicture(GetSkinPicture(context_.skin, face, state));
    if (faceObserver_) faceObserver_(button, face, state);
}

void Form1::PicMouseDown(BarButton button, int mouseButton) {
    if (button != BarButton::Exit && mouseButton != kLeftButton) return;
    const int face = button == BarButton::Swap
                         ? (CurrentEdge() == kEdgeTop ? kFaceDown : kFaceUp)
                         : ButtonId(button);
    ShowFace(button, face, kStateClick);
}

void Form1::PicMouseUp(BarButton button, int mouseButton) {
    if (button != BarButton::Exit && mouseButton != kLeftButton) return;
    const int face = button == BarButton::Swap
                         ? (CurrentEdge() == kEdgeTop ? kFaceDown : kFaceUp)
                         : ButtonId(button);
    ShowFace(button, face, kStateNormal);
}

void Form1::pic_mousemove(BarButton button, int x, int y) {
    PictureBox& picture = Button(button);
    if (!picture.HasCapture()) {
        ShowFace(button, ButtonId(button), kStateOver);
        picture.SetCapture();
    }
    if (x < 0 || x > picture.Width() || y < 0 || y > picture.Height()) {
        context_.platform.windows.ReleaseCapture();
        ShowFace(button, ButtonId(button), kStateNormal);
    }
}

}  // namespace zindle
