#include "frontends/win32/painted_controls.h"

#include <algorithm>

#include "frontends/common/event_lines.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_pictures.h"

namespace zindle {
namespace {

void Unlist(std::vector<PaintedControl*>& list, PaintedControl* control) { std::erase(list, control); }

void Enlist(std::vector<PaintedControl*>& list, PaintedControl* control) {
    // Kept in layer order, creation order within a layer.
    const auto after = std::find_if(list.begin(), list.end(),
                                    [&](const PaintedControl* other) { return other->Layer() > control->Layer(); });
    list.insert(after, control);
}

RECT Union(const RECT& a, const RECT& b) {
    RECT both{};
    UnionRect(&both, &a, &b);
    return both;
}

UINT AlignmentFlag(Alignment alignment) {
    return alignment == Alignment::Right ? DT_RIGHT : alignment == Alignment::Center ? DT_CENTER : DT_LEFT;
}

}  // namespace

void FontHandle::Create(const FontSpec& wanted, int dpi) {
    Reset();
    const int height = -MulDiv(static_cast<int>(std::clamp(wanted.size, 1.0, 1000.0) * 100), dpi, 7200);
    font_ = CreateFontW(height, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, wanted.italic, wanted.underline,
                        wanted.strikethrough, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Widen(wanted.name).substr(0, 31).c_str());
}

void FontHandle::Reset() {
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

// --- Win32Label ------------------------------------------------------------

Win32Label::Win32Label(std::shared_ptr<WindowState> window)
    : ControlBase(std::move(window)), backColour_(GetSysColor(COLOR_BTNFACE)) {
    fontHandle_.Create(font_, window_->dpi);
    Enlist(window_->painted, this);
}

Win32Label::~Win32Label() {
    Repaint();
    Unlist(window_->painted, this);
}

void Win32Label::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    wideText_ = Widen(text);
    FitToText();
    Repaint();
}

void Win32Label::SetForeColor(Colour colour) {
    // The text vanishing into the background is the flash the trace shows.
    const bool wasVisible = foreColour_ != window_->backColour;
    foreColour_ = colour;
    if (wasVisible && colour == window_->backColour) window_->trace.Write(kFlashEventLine);
    Repaint();
}

void Win32Label::SetBackColor(Colour colour) {
    backColour_ = colour;
    Repaint();
}

void Win32Label::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Repaint();
}

void Win32Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Repaint();
}

void Win32Label::SetFont(const FontSpec& font) {
    if (font == font_) return;
    font_ = font;
    fontHandle_.Create(font_, window_->dpi);
    FitToText();
    Repaint();
}

void Win32Label::SetAutoSize(bool autoSize) {
    const bool switchedOn = autoSize && !autoSize_;
    autoSize_ = autoSize;
    if (switchedOn) FitToText();
}

void Win32Label::Relayout() {
    fontHandle_.Create(font_, window_->dpi);
    FitToText();
}

void Win32Label::FitToText() {
    if (!autoSize_) return;
    const RECT before = frame_.Pixels(*window_);
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, fontHandle_.Get());
    RECT measured{0, 0, 0, 0};
    // An empty text still has the height of one line.
    const std::wstring text = wideText_.empty() ? L" " : wideText_;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int oldWidth = frame_.width;
    frame_.width = window_->ToTwips(wideText_.empty() ? 0 : measured.right);
    frame_.height = window_->ToTwips(measured.bottom);
    const int growth = frame_.width - oldWidth;
    if (alignment_ == Alignment::Right) frame_.left -= growth;
    if (alignment_ == Alignment::Center) frame_.left -= growth / 2;
    FrameChanged(before);
}

void Win32Label::FrameChanged(const RECT& before) { window_->Invalidate(Union(before, frame_.Pixels(*window_))); }

void Win32Label::Repaint() const { window_->Invalidate(frame_.Pixels(*window_)); }

void Win32Label::Paint(HDC dc) const {
    if (!frame_.visible) return;
    RECT area = frame_.Pixels(*window_);
    if (!transparent_) {
        const HBRUSH brush = CreateSolidBrush(backColour_);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    const HGDIOBJ old = SelectObject(dc, fontHandle_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, foreColour_);
    DrawTextW(dc, wideText_.c_str(), static_cast<int>(wideText_.size()), &area,
              AlignmentFlag(alignment_) | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
}

// --- Win32Line -------------------------------------------------------------

Win32Line::Win32Line(std::shared_ptr<WindowState> window) : ControlBase(std::move(window)) {
    Enlist(window_->painted, this);
}

Win32Line::~Win32Line() {
    window_->Invalidate(frame_.Pixels(*window_));
    Unlist(window_->painted, this);
}

void Win32Line::FrameChanged(const RECT& before) {
    // One pixel more each way: the pen's width at the far end.
    RECT both = Union(before, frame_.Pixels(*window_));
    InflateRect(&both, 1, 1);
    window_->Invalidate(both);
}

void Win32Line::Paint(HDC dc) const {
    if (!frame_.visible) return;
    const RECT line = frame_.Pixels(*window_);
    const HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, line.left, line.top, nullptr);
    LineTo(dc, line.right, line.bottom);
    SelectObject(dc, old);
}

// --- Win32PictureBox -------------------------------------------------------

Win32PictureBox::Win32PictureBox(std::shared_ptr<WindowState> window) : ControlBase(std::move(window)) {
    Enlist(window_->painted, this);
}

Win32PictureBox::~Win32PictureBox() {
    if (window_->pressed == this) window_->pressed = nullptr;
    if (window_->capture == this) window_->capture = nullptr;
    window_->Invalidate(frame_.Pixels(*window_));
    Unlist(window_->painted, this);
}

void Win32PictureBox::SetPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    window_->Invalidate(frame_.Pixels(*window_));
}

void Win32PictureBox::SetCapture() {
    if (!window_->hwnd) return;
    window_->capture = this;
    ::SetCapture(window_->hwnd);
}

bool Win32PictureBox::HasCapture() const { return window_->capture == this && GetCapture() == window_->hwnd; }

void Win32PictureBox::FrameChanged(const RECT& before) { window_->Invalidate(Union(before, frame_.Pixels(*window_))); }

void Win32PictureBox::Paint(HDC dc) const {
    const auto* picture = dynamic_cast<const Win32Picture*>(picture_.get());
    if (!frame_.visible || !picture) return;
    const RECT area = frame_.Pixels(*window_);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    picture->Draw(dc, area.left, area.top, window_->dpi);
    RestoreDC(dc, saved);
}

bool Win32PictureBox::Contains(POINT pixel) const {
    const RECT area = frame_.Pixels(*window_);
    return frame_.visible && PtInRect(&area, pixel);
}

void Win32PictureBox::Mouse(std::function<void(int, int, int, int)> Events::*kind, int button, int shift,
                            POINT pixel) {
    // A copy: the handler may replace the events or destroy this control.
    const auto handler = events_.*kind;
    if (!handler) return;
    const RECT area = frame_.Pixels(*window_);
    handler(button, shift, window_->ToTwips(pixel.x - area.left), window_->ToTwips(pixel.y - area.top));
}

void Win32PictureBox::Click() {
    const auto handler = events_.click;
    if (handler) handler();
}

}  // namespace zindle
