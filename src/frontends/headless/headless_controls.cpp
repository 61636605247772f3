#include "frontends/headless/headless_controls.h"
#include "frontends/headless/headless_registry.h"

#include "frontends/headless/output_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

#include "frontends/headless/headless_pictures.h"
#include "frontends/headless/output.h"
#include "resources/resources.h"
#include "text/utf8.h"

namespace zindle {


namespace {

constexpr Colour kBlack = MakeColour(0, 0, 0);
constexpr Colour kWhite = MakeColour(255, 255, 255);
constexpr Colour kButtonFace = MakeColour(240, 240, 240);
// Keeps measured sizes far from int overflow whatever font size is asked for.
constexpr double kMaxMetricPixels = 100000;

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

std::string Pixels(int twips) { return FormatDecimal(static_cast<double>(twips) / kHeadlessTwipsPerPixel); }

std::string YesNo(bool value) { return value ? "yes" : "no"; }

std::string AlignmentName(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            return "left";
        case Alignment::Right:
            return "right";
        case Alignment::Center:
            return "center";
    }
    return std::to_string(static_cast<int>(alignment));
}

// round(size × factor × 96/72) pixels, at least 1.
std::int64_t MetricPixels(double sizePoints, double factor) {
    const double pixels = sizePoints * factor * 96.0 / 72.0;
    if (!(pixels >= 1)) {
        return 1;  // also NaN
    }
    return std::llround(std::min(pixels, kMaxMetricPixels));
}

struct TextExtent {
    std::int64_t longestLine = 0;  // code points
    std::int64_t lines = 1;
};

TextExtent MeasureLines(std::string_view text) {
    TextExtent extent;
    std::int64_t line = 0;
    for (std::size_t i = 0; i < text.size(); i += Utf8CharSize(text, i)) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            extent.longestLine = std::max(extent.longestLine, line);
            ++extent.lines;
            line = 0;
        } else {
            ++line;
        }
    }
    extent.longestLine = std::max(extent.longestLine, line);
    return extent;
}

// A printable Unicode scalar value: what a key press may put into the box.
bool Typeable(int charCode) {
    return charCode >= 0x20 && charCode != 0x7F && charCode <= 0x10FFFF &&
           (charCode < 0xD800 || charCode > 0xDFFF);
}

constexpr int kBackspaceCharacter = 8;

struct KeyStroke {
    int keyCode;
    int shift;
};

// The key a US keyboard types the character with.
std::optional<KeyStroke> UsKeyFor(char32_t c) {
    if (c >= 'a' && c <= 'z') return KeyStroke{static_cast<int>(c - 'a' + 'A'), 0};
    if (c >= 'A' && c <= 'Z') return KeyStroke{static_cast<int>(c), kShiftMask};
    if ((c >= '0' && c <= '9') || c == ' ') return KeyStroke{static_cast<int>(c), 0};
    static constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";
    const std::size_t digit = c < 0x80 ? kShiftedDigits.find(static_cast<char>(c)) : std::string_view::npos;
    if (digit != std::string_view::npos) return KeyStroke{static_cast<int>('0' + digit), kShiftMask};
    // VK_OEM_1 .. VK_OEM_7 and the OEM comma, minus, period and plus keys.
    struct OemKey {
        char plain;
        char shifted;
        int keyCode;
    };
    static constexpr OemKey kOemKeys[] = {{';', ':', 0xBA}, {'=', '+', 0xBB}, {',', '<', 0xBC},
                                          {'-', '_', 0xBD}, {'.', '>', 0xBE}, {'/', '?', 0xBF},
                                          {'`', '~', 0xC0}, {'[', '{', 0xDB}, {'\\', '|', 0xDC},
                                          {']', '}', 0xDD}, {'\'', '"', 0xDE}};
    for (const OemKey& key : kOemKeys) {
        if (c == static_cast<char32_t>(key.plain)) return KeyStroke{key.keyCode, 0};
        if (c == static_cast<char32_t>(key.shifted)) return KeyStroke{key.keyCode, kShiftMask};
    }
    return std::nullopt;
}

struct KeyInfo {
    KeyName key;
    std::string_view name;
    int keyCode;
};

constexpr KeyInfo kKeys[] = {
    {KeyName::Enter, "enter", 13},   {KeyName::Escape, "escape", 27}, {KeyName::Backspace, "backspace", 8},
    {KeyName::Delete, "delete", 46}, {KeyName::Up, "up", 38},         {KeyName::Down, "down", 40},
    {KeyName::Left, "left", 37},     {KeyName::Right, "right", 39},   {KeyName::Home, "home", 36},
    {KeyName::End, "end", 35},
};

int VirtualKeyOf(KeyName key) {
    for (const KeyInfo& info : kKeys) {
        if (info.key == key) return info.keyCode;
    }
    return 0;
}

}  // namespace

// --- HeadlessControl -------------------------------------------------------

HeadlessControl::HeadlessControl(std::shared_ptr<HeadlessWindowRegistry> registry,
                                 std::shared_ptr<HeadlessWindowState> window, std::string name)
    : registry_(std::move(registry)),
      window_(std::move(window)),
      alive_(std::make_shared<bool>(true)),
      name_(std::move(name)) {
    registry_->controls.push_back(this);
}

HeadlessControl::~HeadlessControl() {
    *alive_ = false;
    if (window_->focus == this) {
        window_->focus = nullptr;
    }
    std::erase(registry_->controls, this);
}

const std::string& HeadlessControl::Name() const { return name_; }

const std::string& HeadlessControl::WindowName() const { return window_->name; }

std::string HeadlessControl::DescribeFrame() const {
    return "left=" + Pixels(frame_.left) + " top=" + Pixels(frame_.top) + " width=" + Pixels(frame_.width) +
           " height=" + Pixels(frame_.height) + " visible=" + YesNo(frame_.visible);
}

// --- HeadlessLabel ---------------------------------------------------------

HeadlessLabel::HeadlessLabel(std::shared_ptr<HeadlessWindowRegistry> registry,
                             std::shared_ptr<HeadlessWindowState> window, std::string name)
    : HeadlessControlOf(std::move(registry), std::move(window), std::move(name)),
      foreColour_(kBlack),
      backColour_(kButtonFace) {}

void HeadlessLabel::SetVisible(bool visible) {
    if (visible == frame_.visible) {
        return;
    }
    frame_.visible = visible;
    ReportChange();
}

void HeadlessLabel::SetText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    FitToText();
    ReportChange();
}

std::string HeadlessLabel::Text() const { return text_; }

void HeadlessLabel::SetForeColor(Colour colour) {
    const bool wasVisible = foreColour_ != window_->backColour;
    foreColour_ = colour;
    if (wasVisible && colour == window_->backColour && registry_->onFlash) {
        // A copy, so a handler that replaces itself is not destroyed mid-call.
        const FlashHandler onFlash = registry_->onFlash;
        onFlash(*this);
    }
}

Colour HeadlessLabel::ForeColor() const { return foreColour_; }

void HeadlessLabel::SetBackColor(Colour colour) { backColour_ = colour; }

Colour HeadlessLabel::BackColor() const { return backColour_; }

void HeadlessLabel::SetTransparent(bool transparent) { transparent_ = transparent; }

void HeadlessLabel::SetAlignment(Alignment alignment) { alignment_ = alignment; }

Alignment HeadlessLabel::GetAlignment() const { return alignment_; }

void HeadlessLabel::SetFont(const FontSpec& font) {
    if (font == font_) {
        return;
    }
    font_ = font;
    FitToText();
}

FontSpec HeadlessLabel::Font() const { return font_; }

void HeadlessLabel::SetAutoSize(bool autoSize) {
    const bool switchedOn = autoSize && !autoSize_;
    autoSize_ = autoSize;
    if (switchedOn) {
        FitToText();
    }
}

void HeadlessLabel::FitToText() {
    if (!autoSize_) {
        return;
    }
    const TextExtent extent = MeasureLines(text_);
    const std::int64_t charWidth = MetricPixels(font_.size, 0.6);
    const std::int64_t lineHeight = MetricPixels(font_.size, 1.25);
    // Capped before multiplying, so no product can overflow.
    constexpr std::int64_t kMaxPixels = INT_MAX / kHeadlessTwipsPerPixel;
    const std::int64_t oldWidth = frame_.width;
    frame_.width = ClampToInt(std::min(std::min(extent.longestLine, kMaxPixels) * charWidth, kMaxPixels) *
                              kHeadlessTwipsPerPixel);
    frame_.height = ClampToInt(std::min(std::min(extent.lines, kMaxPixels) * lineHeight, kMaxPixels) *
                               kHeadlessTwipsPerPixel);
    const std::int64_t growth = frame_.width - oldWidth;
    if (alignment_ == Alignment::Right) frame_.left = ClampToInt(frame_.left - growth);
    if (alignment_ == Alignment::Center) frame_.left = ClampToInt(frame_.left - growth / 2);
}

void HeadlessLabel::ReportChange() {
    if (registry_->onLabelChange) {
        const LabelChangeHandler onChange = registry_->onLabelChange;
        onChange(*this);
    }
}

std::string HeadlessLabel::Describe() const {
    return EscapeLineBreaks(Name()) + " " + DescribeFrame() + " align=" + AlignmentName(alignment_) +
           " fore=" + HexColour(foreColour_) + " back=" + (transparent_ ? "transparent" : HexColour(backColour_)) +
           " font=" + FormatFont(font_) + " text=" + EscapeLineBreaks(text_);
}

// --- HeadlessTextBox -------------------------------------------------------

std::optional<KeyName> ParseKeyName(std::string_view text) {
    const std::string lower = Utf8Lower(text);
    for (const KeyInfo& info : kKeys) {
        if (lower == info.name) return info.key;
    }
    return std::nullopt;
}

HeadlessTextBox::HeadlessTextBox(std::shared_ptr<HeadlessWindowRegistry> registry,
                                 std::shared_ptr<HeadlessWindowState> window, std::string name)
    : HeadlessControlOf(std::move(registry), std::move(window), std::move(name)),
      foreColour_(kBlack),
      backColour_(kWhite) {}

void HeadlessTextBox::SetEvents(Events events) { events_ = std::move(events); }

void HeadlessTextBox::SetText(const std::string& text) { Edit(0, TextLength(), text, 0); }

std::string HeadlessTextBox::Text() const { return text_; }

void HeadlessTextBox::SetSelection(int start, int length) {
    const int textLength = TextLength();
    selectionStart_ = std::clamp(start, 0, textLength);
    selectionLength_ = std::clamp(length, 0, textLength - selectionStart_);
}

int HeadlessTextBox::SelectionStart() const { return selectionStart_; }

int HeadlessTextBox::SelectionLength() const { return selectionLength_; }

void HeadlessTextBox::SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

bool HeadlessTextBox::ReadOnly() const { return readOnly_; }

void HeadlessTextBox::SetAlignment(Alignment alignment) { alignment_ = alignment; }

Alignment HeadlessTextBox::GetAlignment() const { return alignment_; }

void HeadlessTextBox::SetBorderStyle(int style) { borderStyle_ = style; }

int HeadlessTextBox::BorderStyle() const { return borderStyle_; }

void HeadlessTextBox::SetForeColor(Colour colour) { foreColour_ = colour; }

Colour HeadlessTextBox::ForeColor() const { return foreColour_; }

void HeadlessTextBox::SetBackColor(Colour colour) { backColour_ = colour; }

Colour HeadlessTextBox::BackColor() const { return backColour_; }

void HeadlessTextBox::SetFont(const FontSpec& font) { font_ = font; }

FontSpec HeadlessTextBox::Font() const { return font_; }

void HeadlessTextBox::SetFocus() { window_->focus = this; }

bool HeadlessTextBox::HasFocus() const { return window_->focus == this; }

void HeadlessTextBox::SetInputHeld(bool held) {
    heldInput_.SetHeld(held, [](const std::function<void()>& input) { input(); });
}

void HeadlessTextBox::TypeCharacter(char32_t c) {
    if (heldInput_.MustWait()) {
        heldInput_.Keep([this, c] { TypeCharacter(c); });
        return;
    }
    if (const auto stroke = UsKeyFor(c)) {
        // Consuming the key does not stop the character: it is already on its way.
        if (!RaiseKeyDown(stroke->keyCode, stroke->shift)) {
            return;
        }
    }
    if (const auto charCode = RaiseKeyPress(static_cast<int>(c))) {
        ApplyCharacter(*charCode);
    }
}

void HeadlessTextBox::PressKey(KeyName key) {
    if (heldInput_.MustWait()) {
        heldInput_.Keep([this, key] { PressKey(key); });
        return;
    }
    const auto keyCode = RaiseKeyDown(VirtualKeyOf(key), 0);
    if (!keyCode) {
        return;
    }
    switch (key) {
        case KeyName::Enter:
        case KeyName::Escape:
        case KeyName::Backspace: {
            const int charCode = key == KeyName::Enter    ? 13
                                 : key == KeyName::Escape ? 27
                                                          : kBackspaceCharacter;
            if (const auto left = RaiseKeyPress(charCode)) {
                ApplyCharacter(*left);
            }
            return;
        }
        default:
            break;
    }
    if (*keyCode == 0) {
        return;
    }
    switch (key) {
        case KeyName::Delete:
            if (readOnly_) {
                return;
            }
            if (selectionLength_ > 0) {
                Edit(selectionStart_, selectionLength_, "", selectionStart_);
            } else if (selectionStart_ < TextLength()) {
                Edit(selectionStart_, 1, "", selectionStart_);
            }
            return;
        case KeyName::Left:
        case KeyName::Up:
            MoveCaret(selectionStart_ - 1);
            return;
        case KeyName::Right:
        case KeyName::Down:
            MoveCaret(selectionStart_ + 1);
            return;
        case KeyName::Home:
            MoveCaret(0);
            return;
        case KeyName::End:
            MoveCaret(TextLength());
            return;
        default:
            return;
    }
}

void HeadlessTextBox::ReleaseKey(int keyCode, int shift) {
    if (heldInput_.MustWait()) {
        heldInput_.Keep([this, keyCode, shift] { ReleaseKey(keyCode, shift); });
        return;
    }
    if (const auto keyUp = events_.keyUp) keyUp(keyCode, shift);
}

std::optional<int> HeadlessTextBox::RaiseKeyDown(int keyCode, int shift) {
    // Copies: a handler may replace the events or destroy the box.
    const auto keyDown = events_.keyDown;
    if (keyDown) {
        const auto alive = alive_;
        keyDown(keyCode, shift);
        if (!*alive) {
            return std::nullopt;
        }
    }
    return keyCode;
}

std::optional<int> HeadlessTextBox::RaiseKeyPress(int charCode) {
    const auto keyPress = events_.keyPress;
    if (keyPress) {
        const auto alive = alive_;
        keyPress(charCode);
        if (!*alive) {
            return std::nullopt;
        }
    }
    return charCode;
}

void HeadlessTextBox::ApplyCharacter(int charCode) {
    if (readOnly_) {
        return;
    }
    if (charCode == kBackspaceCharacter) {
        if (selectionLength_ > 0) {
            Edit(selectionStart_, selectionLength_, "", selectionStart_);
        } else if (selectionStart_ > 0) {
            Edit(selectionStart_ - 1, 1, "", selectionStart_ - 1);
        }
    } else if (Typeable(charCode)) {
        Edit(selectionStart_, selectionLength_, Utf8Encode(static_cast<char32_t>(charCode)),
             selectionStart_ + 1);
    }
}

void HeadlessTextBox::Edit(int start, int length, const std::string& text, int caret) {
    const std::size_t from = Utf8Offset(text_, static_cast<std::size_t>(start));
    const std::size_t to =
        Utf8Offset(text_, static_cast<std::size_t>(start) + static_cast<std::size_t>(length));
    std::string edited = text_.substr(0, from) + text + text_.substr(to);
    const bool changed = edited != text_;
    text_ = std::move(edited);
    MoveCaret(caret);
    const auto change = events_.change;
    if (changed && change) {
        change();
    }
}

void HeadlessTextBox::MoveCaret(int position) {
    selectionStart_ = std::clamp(position, 0, TextLength());
    selectionLength_ = 0;
}

int HeadlessTextBox::TextLength() const {
    return static_cast<int>(std::min<std::size_t>(Utf8Length(text_), INT_MAX));
}

std::string HeadlessTextBox::Describe() const {
    return EscapeLineBreaks(Name()) + " " + DescribeFrame() + " align=" + AlignmentName(alignment_) +
           " border=" + std::to_string(borderStyle_) + " fore=" + HexColour(foreColour_) +
           " back=" + HexColour(backColour_) + " font=" + FormatFont(font_) + " readonly=" + YesNo(readOnly_) +
           " text=" + EscapeLineBreaks(text_) + " selection=" + std::to_string(selectionStart_) + "+" +
           std::to_string(selectionLength_);
}

// --- HeadlessPictureBox ----------------------------------------------------

HeadlessPictureBox::HeadlessPictureBox(std::shared_ptr<HeadlessWindowRegistry> registry,
                                       std::shared_ptr<HeadlessWindowState> window, std::string name)
    : HeadlessControlOf(std::move(registry), std::move(window), std::move(name)) {}

HeadlessPictureBox::~HeadlessPictureBox() {
    if (registry_->capture == this) {
        registry_->capture = nullptr;
    }
}

void HeadlessPictureBox::SetEvents(Events events) { events_ = std::move(events); }

void HeadlessPictureBox::SetPicture(PicturePtr picture) { picture_ = std::move(picture); }

PicturePtr HeadlessPictureBox::GetPicture() const { return picture_; }

void HeadlessPictureBox::SetCapture() {
    if (!window_->closed) {
        registry_->capture = this;
    }
}

bool HeadlessPictureBox::HasCapture() const { return registry_->capture == this; }

void HeadlessPictureBox::MouseDown(int button, int x, int y) { RaiseMouse(&Events::mouseDown, button, x, y); }

void HeadlessPictureBox::MouseUp(int button, int x, int y) { RaiseMouse(&Events::mouseUp, button, x, y); }

void HeadlessPictureBox::Click() {
    if (const auto click = events_.click) {
        click();
    }
}

void HeadlessPictureBox::RaiseMouse(std::function<void(int, int, int, int)> Events::*event, int button, int x,
                                    int y) {
    if (const auto handler = events_.*event) {
        handler(button, 0, x, y);
    }
}

std::string HeadlessPictureBox::Describe() const {
    return EscapeLineBreaks(Name()) + " " + DescribeFrame() +
           " picture=" + (picture_ ? EscapeLineBreaks(picture_->Source()) : "none");
}

// --- HeadlessWindow --------------------------------------------------------

HeadlessWindow::HeadlessWindow(std::shared_ptr<HeadlessWindowRegistry> registry, VirtualTime& time,
                               std::string name, std::string caption, WindowKind kind)
    : registry_(std::move(registry)),
      state_(std::make_shared<HeadlessWindowState>()),
      time_(time),
      handle_(registry_->nextHandle++),
      procedure_(DefaultWindowProc) {
    state_->name = std::move(name);
    state_->caption = std::move(caption);
    state_->kind = kind;
    if (kind == WindowKind::Bar) {
        width_ = 1024 * kHeadlessTwipsPerPixel;
        height_ = 21 * kHeadlessTwipsPerPixel;
    }
    registry_->windows.push_back(this);
}

HeadlessWindow::~HeadlessWindow() {
    Close();
    std::erase(registry_->windows, this);
}

void HeadlessWindow::SetEvents(Events events) { events_ = std::move(events); }

std::unique_ptr<Label> HeadlessWindow::CreateLabel(const std::string& name) {
    return std::make_unique<HeadlessLabel>(registry_, state_, name);
}

std::unique_ptr<TextBox> HeadlessWindow::CreateTextBox(const std::string& name) {
    return std::make_unique<HeadlessTextBox>(registry_, state_, name);
}

std::unique_ptr<PictureBox> HeadlessWindow::CreatePictureBox(const std::string& name) {
    return std::make_unique<HeadlessPictureBox>(registry_, state_, name);
}

std::unique_ptr<Timer> HeadlessWindow::CreateTimer(const std::string& /*name*/) {
    return time_.CreateTimer([state = state_] { return !state->closed; });
}

void HeadlessWindow::SetBackColor(Colour colour) {
    state_->backColour = colour;
    background_.clear();
}

Colour HeadlessWindow::BackColor() const { return state_->backColour; }

void HeadlessWindow::DrawPicture(const PicturePtr& picture, int leftTwips, int topTwips) {
    if (picture) {
        background_.push_back(BackgroundPicture{picture->Source(), leftTwips, topTwips});
    }
}

void HeadlessWindow::ClearBackgroundPictures() { background_.clear(); }

int HeadlessWindow::Width() const { return width_; }

int HeadlessWindow::Height() const { return height_; }

void HeadlessWindow::SetClientSize(int widthTwips, int heightTwips) {
    widthTwips = std::max(widthTwips, 0);
    heightTwips = std::max(heightTwips, 0);
    if (widthTwips == width_ && heightTwips == height_) {
        return;
    }
    width_ = widthTwips;
    height_ = heightTwips;
    if (const auto resize = events_.resize) {
        resize();
    }
}

void HeadlessWindow::SetVisible(bool visible) { state_->visible = visible && !state_->closed; }

bool HeadlessWindow::Visible() const { return state_->visible; }

void HeadlessWindow::Close() {
    state_->closed = true;
    state_->visible = false;
    if (registry_->capture && registry_->capture->window_ == state_) {
        registry_->capture = nullptr;
    }
    registry_->hotkeys.UnregisterAll(handle_);
}

const std::string& HeadlessWindow::Name() const { return state_->name; }

const std::string& HeadlessWindow::Caption() const { return state_->caption; }

WindowKind HeadlessWindow::Kind() const { return state_->kind; }

bool HeadlessWindow::Closed() const { return state_->closed; }

const std::vector<BackgroundPicture>& HeadlessWindow::BackgroundPictures() const { return background_; }

const HeadlessControl* HeadlessWindow::FocusedControl() const { return state_->focus; }

void HeadlessWindow::Resize(int widthTwips) {
    width_ = std::max(widthTwips, 0);
    if (const auto resize = events_.resize) {
        resize();
    }
}

bool HeadlessWindow::RequestClose() {
    // The handler may close or destroy the window; the shared state tells.
    const auto state = state_;
    bool cancel = false;
    if (const auto queryUnload = events_.queryUnload) {
        queryUnload(cancel, CloseReason::User);
    }
    if (!state->closed && !cancel) {
        Close();
    }
    return state->closed;
}

bool HeadlessWindow::MouseMoveOver(std::string_view controlName, int x, int y) {
    const auto& controls = registry_->controls;
    const auto over = std::find_if(controls.rbegin(), controls.rend(), [&](const HeadlessControl* control) {
        return control->window_ == state_ && control->Name() == controlName;
    });
    if (over == controls.rend()) {
        return false;
    }
    HeadlessPictureBox* target = registry_->capture;
    if (target && target->window_ == state_) {
        const Control& from = (*over)->AsControl();
        x = ClampToInt(std::int64_t{x} + from.Left() - target->Left());
        y = ClampToInt(std::int64_t{y} + from.Top() - target->Top());
    } else {
        target = dynamic_cast<HeadlessPictureBox*>(*over);
    }
    if (target) {
        target->RaiseMouse(&PictureBox::Events::mouseMove, 0, x, y);
    }
    return true;
}

std::string HeadlessWindow::Describe() const {
    std::string background;
    for (const BackgroundPicture& picture : background_) {
        background += (background.empty() ? "" : ";") + EscapeLineBreaks(picture.source) + "@" +
                      Pixels(picture.left) + "," + Pixels(picture.top);
    }
    return EscapeLineBreaks(state_->name) + " width=" + Pixels(width_) + " height=" + Pixels(height_) +
           " visible=" + YesNo(state_->visible) + " back=" + HexColour(state_->backColour) +
           " background=" + (background.empty() ? "none" : background);
}

// --- HeadlessWindowFactory -------------------------------------------------

HeadlessWindowFactory::HeadlessWindowFactory(VirtualTime& time, HeadlessStorage& storage)
    : registry_(std::make_shared<HeadlessWindowRegistry>()), time_(time), storage_(storage) {}

std::unique_ptr<Window> HeadlessWindowFactory::CreateWindow(const std::string& name,
                                                            const std::string& caption, WindowKind kind) {
    return std::make_unique<HeadlessWindow>(registry_, time_, name, caption, kind);
}

PicturePtr HeadlessWindowFactory::LoadPictureFile(const std::string& path) {
    const auto size = storage_.PictureFileSize(path);
    return size ? std::make_shared<HeadlessPicture>(path, *size) : nullptr;
}

PicturePtr HeadlessWindowFactory::LoadPictureResource(const std::string& name) {
    const auto bytes = ResourceBytes(name);
    if (!bytes) {
        return nullptr;
    }
    const auto size = ReadPictureSize(*bytes);
    return size ? std::make_shared<HeadlessPicture>(name, *size) : nullptr;
}

void HeadlessWindowFactory::RunModal(Window& dialog, Window&) {
    auto* headless = dynamic_cast<HeadlessWindow*>(&dialog);
    if (!headless || !registry_->modalLoop) return;
    headless->SetVisible(true);
    // A copy: the loop may run another dialog that sets a loop of its own.
    const auto loop = registry_->modalLoop;
    loop(*headless);
}

void HeadlessWindowFactory::SetModalLoop(std::function<void(HeadlessWindow& dialog)> loop) {
    registry_->modalLoop = std::move(loop);
}

HeadlessWindow* HeadlessWindowFactory::FindWindowByHandle(std::uintptr_t handle) const {
    for (HeadlessWindow* window : registry_->windows) {
        if (window->Handle() == handle) return window;
    }
    return nullptr;
}

std::uintptr_t HeadlessWindowFactory::ActiveWindow() const { return registry_->activeWindow; }

void HeadlessWindowFactory::ReleaseCapture() { registry_->capture = nullptr; }

HeadlessPictureBox* HeadlessWindowFactory::CaptureHolder() const { return registry_->capture; }

HeadlessWindow* HeadlessWindowFactory::FindWindow(std::string_view name) const {
    const auto& windows = registry_->windows;
    const auto found = std::find_if(windows.rbegin(), windows.rend(),
                                    [name](const HeadlessWindow* window) { return window->Name() == name; });
    return found == windows.rend() ? nullptr : *found;
}

HeadlessControl* HeadlessWindowFactory::FindControl(std::string_view windowName,
                                                    std::string_view controlName) const {
    return registry_->FindNewest<HeadlessControl>(windowName, controlName);
}

HeadlessLabel* HeadlessWindowFactory::FindLabel(std::string_view windowName,
                                                std::string_view labelName) const {
    return registry_->FindNewest<HeadlessLabel>(windowName, labelName);
}

HeadlessTextBox* HeadlessWindowFactory::FindTextBox(std::string_view windowName,
                                                    std::string_view textBoxName) const {
    return registry_->FindNewest<HeadlessTextBox>(windowName, textBoxName);
}

HeadlessPictureBox* HeadlessWindowFactory::FindPictureBox(std::string_view windowName,
                                                          std::string_view pictureBoxName) const {
    return registry_->FindNewest<HeadlessPictureBox>(windowName, pictureBoxName);
}

void HeadlessWindowFactory::SetFlashHandler(FlashHandler onFlash) { registry_->onFlash = std::move(onFlash); }

void HeadlessWindowFactory::SetLabelChangeHandler(LabelChangeHandler onChange) {
    registry_->onLabelChange = std::move(onChange);
}

HeadlessHotkeyTable& HeadlessWindowFactory::Hotkeys() { return registry_->hotkeys; }

}  // namespace zindle
