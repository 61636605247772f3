#include "frontends/qt/ewmh_window_manager.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "frontends/qt/qt_window.h"
#include "frontends/qt/qt_window_factory.h"

namespace zindle {

namespace {

bool IsEmpty(const RectPx& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

int Rounded(double value) { return static_cast<int>(std::lround(value)); }

RectPx FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

double RatioOf(const QScreen* screen) {
    return screen && screen->devicePixelRatio() > 0 ? screen->devicePixelRatio() : 1.0;
}

// A screen as it is now. Qt may take a RandR monitor deleted and set again
// under its own name (xrandr --setmonitor) while it was busy as a change of
// its platform screen alone: QScreen keeps the old geometry. RandR's answer
// is current. A logical rectangle keeps the device origin and divides the
// size by the scale, as Qt's does.
struct CurrentScreen {
    const QScreen* screen = nullptr;
    RectPx logical;
    std::optional<RectPx> device;
};

CurrentScreen AsQtSees(const QScreen* screen) { return {screen, FromQRect(screen->geometry()), std::nullopt}; }

std::vector<CurrentScreen> CurrentScreens(X11Display* display) {
    const std::vector<Monitor> randr = display ? display->RandrMonitors() : std::vector<Monitor>{};
    std::vector<CurrentScreen> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        CurrentScreen current = AsQtSees(screen);
        const std::string name = screen->name().toStdString();
        for (const Monitor& monitor : randr) {
            if (monitor.name != name) continue;
            const RectPx& device = monitor.bounds;
            const double ratio = RatioOf(screen);
            current.device = device;
            current.logical = {device.left, device.top, device.left + Rounded((device.right - device.left) / ratio),
                               device.top + Rounded((device.bottom - device.top) / ratio)};
        }
        screens.push_back(current);
    }
    return screens;
}

// The screen nearest the centre of a rectangle in logical pixels.
std::optional<CurrentScreen> ScreenNear(const RectPx& rect, X11Display* display) {
    const PointPx centre{static_cast<std::int32_t>((std::int64_t{rect.left} + rect.right) / 2),
                         static_cast<std::int32_t>((std::int64_t{rect.top} + rect.bottom) / 2)};
    std::optional<CurrentScreen> nearest;
    std::int64_t best = INT64_MAX;
    for (const CurrentScreen& current : CurrentScreens(display)) {
        const std::int64_t distance = DistanceSquared(current.logical, centre);
        if (distance < best) {
            best = distance;
            nearest = current;
        }
    }
    return nearest;
}

EwmhWindowManager::ScreenScale ScaleOf(const CurrentScreen& current, X11Display* display) {
    EwmhWindowManager::ScreenScale scale{RatioOf(current.screen), current.logical.left, current.logical.top};
    scale.logical = current.logical;
    scale.device = current.device;
    if (!display || scale.device) return scale;
    // Without RandR's word the root bounds the screen.
    const auto [rootWidth, rootHeight] = display->RootSize();
    scale.device = RectPx{
        scale.originX, scale.originY,
        std::min(scale.originX + Rounded((current.logical.right - scale.originX) * scale.ratio), rootWidth),
        std::min(scale.originY + Rounded((current.logical.bottom - scale.originY) * scale.ratio), rootHeight)};
    return scale;
}

// Whether [from, to) meets the strut's range [start, end].
bool Overlaps(std::int64_t from, std::int64_t to, std::uint32_t start, std::uint32_t end) {
    return from <= end && to > start;
}

std::string AutoHideProperty(unsigned edge) { return "_ZINDLE_AUTOHIDE_BAR_" + std::to_string(edge); }

}  // namespace

EwmhWindowManager::EwmhWindowManager(QtWindowFactory& windows, X11Display* display)
    : windows_(windows), display_(display) {
    if (display_) {
        display_->SelectEvents(display_->Root(), XCB_EVENT_MASK_PROPERTY_CHANGE);
        lastWorkArea_ = display_->Property32(display_->Root(), display_->Atom("_NET_WORKAREA"), 4);
        WatchActiveWindow();
    }
    // RandR's changes reach Qt as screens added, removed, resized and made
    // primary; each docks the bar again where it belongs.
    for (QScreen* screen : QGuiApplication::screens()) WatchScreen(screen);
    // A layout changes in bursts (xrandr sends a request per monitor, and Qt
    // learns of each from events of its own), and a bar docking while Qt's
    // screens are half updated can miss the last step: once the burst has
    // settled the bar docks once more, so the final layout always wins.
    settledLayout_.setSingleShot(true);
    settledLayout_.setInterval(300);
    QObject::connect(&settledLayout_, &QTimer::timeout, &context_, [this] { Notify(kAbnPosChanged, 0); });
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, &context_, [this](QScreen* screen) {
        WatchScreen(screen);
        ScreenChanged();
    });
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, &context_, [this] { ScreenChanged(); });
    QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, &context_, [this] { ScreenChanged(); });
}

EwmhWindowManager::ScreenScale EwmhWindowManager::ScaleAtLogical(const RectPx& rect, X11Display* display) {
    const std::optional<CurrentScreen> screen = ScreenNear(rect, display);
    return screen ? ScaleOf(*screen, display) : ScreenScale{};
}

// Each edge is converted on its own and kept on the screen, so that the
// strip's far edge falls on the screen's far edge at any scale and the strip
// never runs one pixel past it.
RectPx EwmhWindowManager::ToDevice(const RectPx& r, const ScreenScale& s) {
    const auto x = [&](int v) { return s.originX + Rounded((std::int64_t{v} - s.originX) * s.ratio); };
    const auto y = [&](int v) { return s.originY + Rounded((std::int64_t{v} - s.originY) * s.ratio); };
    RectPx device{x(r.left), y(r.top), x(r.right), y(r.bottom)};
    if (s.device) {
        device.left = std::clamp(device.left, s.device->left, s.device->right);
        device.right = std::clamp(device.right, s.device->left, s.device->right);
        device.top = std::clamp(device.top, s.device->top, s.device->bottom);
        device.bottom = std::clamp(device.bottom, s.device->top, s.device->bottom);
    }
    return device;
}

RectPx EwmhWindowManager::ToLogical(const RectPx& r, const ScreenScale& s) {
    const auto x = [&](int v) { return s.originX + Rounded((std::int64_t{v} - s.originX) / s.ratio); };
    const auto y = [&](int v) { return s.originY + Rounded((std::int64_t{v} - s.originY) / s.ratio); };
    return {x(r.left), y(r.top), x(r.right), y(r.bottom)};
}

// Struts are measured from the root window's edges (a bar at the bottom of
// a monitor that has another below it reserves down to the root's bottom),
// over the range of the monitor's pixels the strip spans, its last pixel
// included.
std::vector<std::uint32_t> EwmhWindowManager::StrutFor(unsigned edge, const RectPx& strip, const ScreenScale& scale,
                                                       int rootWidth, int rootHeight) {
    std::vector<std::uint32_t> strut(12, 0);
    if (IsEmpty(strip)) return strut;
    const RectPx d = ToDevice(strip, scale);
    const auto clampTo = [](std::int64_t value, int limit) {
        return static_cast<std::uint32_t>(std::clamp<std::int64_t>(value, 0, limit));
    };
    const std::uint32_t left = clampTo(d.left, rootWidth), right = clampTo(std::int64_t{d.right} - 1, rootWidth);
    const std::uint32_t top = clampTo(d.top, rootHeight), bottom = clampTo(std::int64_t{d.bottom} - 1, rootHeight);
    switch (edge) {
        case 0: strut[0] = clampTo(d.right, rootWidth); strut[4] = top; strut[5] = bottom; break;
        case 1: strut[2] = clampTo(d.bottom, rootHeight); strut[8] = left; strut[9] = right; break;
        case 2: strut[1] = clampTo(std::int64_t{rootWidth} - d.left, rootWidth); strut[6] = top; strut[7] = bottom; break;
        case 3: strut[3] = clampTo(std::int64_t{rootHeight} - d.top, rootHeight); strut[10] = left; strut[11] = right; break;
        default: break;
    }
    return strut;
}

void EwmhWindowManager::MoveOffStrut(unsigned edge, const std::vector<std::uint32_t>& strut, int rootWidth,
                                     int rootHeight, RectPx& rect) {
    if (strut.size() < 4) return;
    // _NET_WM_STRUT alone reserves the whole edge.
    const auto range = [&](std::size_t index, int whole) -> std::pair<std::uint32_t, std::uint32_t> {
        if (strut.size() < 12) return {0, static_cast<std::uint32_t>(whole)};
        return {strut[index], strut[index + 1]};
    };
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
    const auto toInt = [](std::int64_t v) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
    switch (edge) {
        case 0: {
            const auto [start, end] = range(4, rootHeight);
            if (strut[0] > 0 && Overlaps(rect.top, rect.bottom, start, end) && rect.left < std::int64_t{strut[0]}) {
                rect.left = toInt(strut[0]);
                rect.right = toInt(rect.left + width);
            }
            break;
        }
        case 1: {
            const auto [start, end] = range(8, rootWidth);
            if (strut[2] > 0 && Overlaps(rect.left, rect.right, start, end) && rect.top < std::int64_t{strut[2]}) {
                rect.top = toInt(strut[2]);
                rect.bottom = toInt(rect.top + height);
            }
            break;
        }
        case 2: {
            const auto [start, end] = range(6, rootHeight);
            const std::int64_t limit = std::int64_t{rootWidth} - strut[1];
            if (strut[1] > 0 && Overlaps(rect.top, rect.bottom, start, end) && rect.right > limit) {
                rect.right = toInt(limit);
                rect.left = toInt(rect.right - width);
            }
            break;
        }
        case 3: {
            const auto [start, end] = range(10, rootWidth);
            const std::int64_t limit = std::int64_t{rootHeight} - strut[3];
            if (strut[3] > 0 && Overlaps(rect.left, rect.right, start, end) && rect.bottom > limit) {
                rect.bottom = toInt(limit);
                rect.top = toInt(rect.bottom - height);
            }
            break;
        }
        default: break;
    }
}

void EwmhWindowManager::QueryPos(std::uintptr_t window, unsigned edge, RectPx& rect) {
    if (!display_) return;
    const ScreenScale scale = ScaleAtLogical(rect, display_);
    const auto [rootWidth, rootHeight] = display_->RootSize();
    RectPx device = ToDevice(rect, scale);
    const xcb_atom_t partial = display_->Atom("_NET_WM_STRUT_PARTIAL");
    const xcb_atom_t plain = display_->Atom("_NET_WM_STRUT");
    for (const std::uint32_t client : display_->Property32(display_->Root(), display_->Atom("_NET_CLIENT_LIST"))) {
        // Docks mapped after this bar queue behind it.
        if (client == window) break;
        std::vector<std::uint32_t> strut = display_->Property32(client, partial, 12);
        if (strut.size() < 12) strut = display_->Property32(client, plain, 4);
        MoveOffStrut(edge, strut, rootWidth, rootHeight, device);
    }
    rect = ToLogical(device, scale);
}

void EwmhWindowManager::SetStrut(std::uintptr_t window, Bar& bar, const std::vector<std::uint32_t>& strut) {
    // Writing the same strut again would make the window manager announce
    // the work area again, and the bars would answer that for ever.
    if (!display_ || strut == bar.strut) return;
    bar.strut = strut;
    const auto id = static_cast<xcb_window_t>(window);
    if (std::all_of(strut.begin(), strut.end(), [](std::uint32_t v) { return v == 0; })) {
        display_->DeleteProperty(id, display_->Atom("_NET_WM_STRUT_PARTIAL"));
        display_->DeleteProperty(id, display_->Atom("_NET_WM_STRUT"));
    } else {
        display_->SetProperty32(id, display_->Atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, strut);
        display_->SetProperty32(id, display_->Atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL,
                                std::vector<std::uint32_t>(strut.begin(), strut.begin() + 4));
    }
    display_->Flush();
}

std::intptr_t EwmhWindowManager::AutoHideBar(unsigned edge) {
    if (!display_ || edge > 3) return 0;
    const auto holder = display_->Property32(display_->Root(), display_->Atom(AutoHideProperty(edge).c_str()), 1);
    if (holder.empty() || !display_->WindowExists(holder.front())) return 0;
    return static_cast<std::intptr_t>(holder.front());
}

bool EwmhWindowManager::SetAutoHideBar(unsigned edge, std::uintptr_t window, bool claim) {
    if (!display_ || edge > 3) return false;
    const std::intptr_t holder = AutoHideBar(edge);
    const xcb_atom_t property = display_->Atom(AutoHideProperty(edge).c_str());
    if (claim) {
        if (holder != 0 && static_cast<std::uintptr_t>(holder) != window) return false;
        display_->SetProperty32(display_->Root(), property, XCB_ATOM_WINDOW, {static_cast<std::uint32_t>(window)});
    } else if (static_cast<std::uintptr_t>(holder) == window) {
        display_->DeleteProperty(display_->Root(), property);
    }
    display_->Flush();
    return true;
}

std::intptr_t EwmhWindowManager::SHAppBarMessage(unsigned message, AppBarData& data) {
    const auto found = bars_.find(data.window);
    switch (message) {
        case kAbmNew:
            if (found != bars_.end()) return 0;
            bars_[data.window] = Bar{data.callbackMessage, data.edge, {}, std::vector<std::uint32_t>(12, 0)};
            return 1;
        case kAbmRemove:
            if (found == bars_.end()) return 1;
            SetStrut(data.window, found->second, std::vector<std::uint32_t>(12, 0));
            for (unsigned edge = 0; edge < 4; ++edge) SetAutoHideBar(edge, data.window, false);
            bars_.erase(found);
            return 1;
        case kAbmQueryPos:
            if (found == bars_.end()) return 0;
            QueryPos(data.window, data.edge, data.rect);
            return 1;
        case kAbmSetPos: {
            if (found == bars_.end()) return 0;
            QueryPos(data.window, data.edge, data.rect);
            found->second.edge = data.edge;
            found->second.strip = data.rect;
            const auto [rootWidth, rootHeight] = display_ ? display_->RootSize() : std::pair<int, int>{0, 0};
            SetStrut(data.window, found->second,
                     StrutFor(data.edge, data.rect, ScaleAtLogical(data.rect, display_), rootWidth, rootHeight));
            return 1;
        }
        case kAbmGetAutoHideBar: return AutoHideBar(data.edge);
        case kAbmSetAutoHideBar: return SetAutoHideBar(data.edge, data.window, data.lParam != 0) ? 1 : 0;
        case kAbmActivate:
        case kAbmWindowPosChanged: return 1;
        default: return 0;
    }
}

std::optional<RectPx> EwmhWindowManager::StripOf(std::uintptr_t window) const {
    const auto found = bars_.find(window);
    if (found == bars_.end() || IsEmpty(found->second.strip)) return std::nullopt;
    return found->second.strip;
}

int EwmhWindowManager::GetSystemMetrics(int index) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect geometry = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    return StandardSystemMetric(index, geometry.width(), geometry.height());
}

RectPx EwmhWindowManager::WorkArea() {
    if (display_) {
        const auto area = display_->Property32(display_->Root(), display_->Atom("_NET_WORKAREA"), 4);
        if (area.size() == 4) {
            const RectPx device{static_cast<std::int32_t>(area[0]), static_cast<std::int32_t>(area[1]),
                                static_cast<std::int32_t>(std::int64_t{area[0]} + area[2]),
                                static_cast<std::int32_t>(std::int64_t{area[1]} + area[3])};
            const QScreen* primary = QGuiApplication::primaryScreen();
            return primary ? ToLogical(device, ScaleOf(AsQtSees(primary), nullptr)) : device;
        }
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return {available.left(), available.top(), available.right() + 1, available.bottom() + 1};
}

std::vector<Monitor> EwmhWindowManager::Monitors() {
    std::vector<Monitor> monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const CurrentScreen& current : CurrentScreens(display_)) {
        const QScreen* screen = current.screen;
        // A work area Qt measured on a geometry that is gone says nothing:
        // the monitor's whole rectangle, as Qt gives beside other monitors.
        const RectPx work = current.logical == FromQRect(screen->geometry()) ? FromQRect(screen->availableGeometry())
                                                                             : current.logical;
        monitors.push_back(Monitor{screen->name().toStdString(), current.logical, work, screen == primary});
    }
    return monitors;
}

PointPx EwmhWindowManager::GetMessagePos() {
    const QPoint cursor = QCursor::pos();
    return {cursor.x(), cursor.y()};
}

bool EwmhWindowManager::IsKeyDown(int virtualKey) {
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    switch (virtualKey) {
        case 0x10: return held & Qt::ShiftModifier;
        case kVkControl: return held & Qt::ControlModifier;
        case 0x12: return held & Qt::AltModifier;
        default: return false;
    }
}

std::uintptr_t EwmhWindowManager::GetActiveWindow() { return windows_.ActiveWindow(); }

void EwmhWindowManager::Notify(unsigned code, std::intptr_t lParam) {
    QTimer::singleShot(0, &context_, [this, code, lParam] {
        std::vector<std::pair<std::uintptr_t, unsigned>> targets;
        for (const auto& [window, bar] : bars_) targets.emplace_back(window, bar.callbackMessage);
        for (const auto& [window, message] : targets) {
            if (QtWindow* target = windows_.FindWindow(window)) target->SendMessage(message, code, lParam);
        }
    });
}

void EwmhWindowManager::ScreenChanged() {
    Notify(kAbnPosChanged, 0);
    settledLayout_.start();
}

void EwmhWindowManager::WatchScreen(QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, &context_, [this] { ScreenChanged(); });
}

void EwmhWindowManager::PropertyChanged(xcb_window_t window, xcb_atom_t atom) {
    if (!display_) return;
    if (window == display_->Root() && atom == display_->Atom("_NET_WORKAREA")) {
        // Another dock's strip came, went or changed, or the window manager restarted.
        auto area = display_->Property32(display_->Root(), atom, 4);
        if (area == lastWorkArea_) return;
        lastWorkArea_ = std::move(area);
        Notify(kAbnPosChanged, 0);
    } else if ((window == display_->Root() && atom == display_->Atom("_NET_ACTIVE_WINDOW")) ||
               (window == activeWindow_ && atom == display_->Atom("_NET_WM_STATE"))) {
        WatchActiveWindow();
    }
}

// A full-screen application is the active window in the full-screen state.
void EwmhWindowManager::WatchActiveWindow() {
    const auto active = display_->Property32(display_->Root(), display_->Atom("_NET_ACTIVE_WINDOW"), 1);
    const xcb_window_t window = active.empty() ? xcb_window_t{XCB_WINDOW_NONE} : active.front();
    if (window != activeWindow_) {
        activeWindow_ = window;
        if (window != XCB_WINDOW_NONE && !windows_.FindWindow(window)) {
            display_->SelectEvents(window, XCB_EVENT_MASK_PROPERTY_CHANGE);
        }
    }
    bool fullScreen = false;
    if (window != XCB_WINDOW_NONE && !windows_.FindWindow(window)) {
        const auto states = display_->Property32(window, display_->Atom("_NET_WM_STATE"), 32);
        fullScreen = std::find(states.begin(), states.end(), display_->Atom("_NET_WM_STATE_FULLSCREEN")) != states.end();
    }
    if (fullScreen == fullScreen_) return;
    fullScreen_ = fullScreen;
    Notify(kAbnFullScreenApp, fullScreen ? 1 : 0);
}

}  // namespace zindle
