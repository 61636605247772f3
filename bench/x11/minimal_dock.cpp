// The yardstick for the bar's figures: the least a Qt 6 dock can be. A
// frameless window with a line edit, typed as a dock with a bottom strut,
// and F11 grabbed on the root window to activate it.

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

class F11 final : public QAbstractNativeEventFilter {
public:
    F11(xcb_window_t root, xcb_keycode_t key, QWidget& bar) : root_(root), key_(key), bar_(bar) {}
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (type == "xcb_generic_event_t" && (event->response_type & 0x7F) == XCB_KEY_PRESS) {
            const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
            if (key->event == root_ && key->detail == key_) {
                QTimer::singleShot(0, &bar_, [this] { bar_.activateWindow(); });
            }
        }
        return false;
    }

private:
    xcb_window_t root_;
    xcb_keycode_t key_;
    QWidget& bar_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget bar(nullptr, Qt::Window | Qt::FramelessWindowHint);
    bar.setWindowTitle("Minimal dock");
    auto* layout = new QHBoxLayout(&bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLineEdit(&bar));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    bar.setGeometry(0, screen.height() - 21, screen.width(), 21);

    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    const xcb_window_t window = bar.winId();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t dock = Atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &dock);
    const std::uint32_t strut[12] = {0, 0, 0, 21, 0, 0, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(screen.width() - 1)};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Atom(c, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, 32, 12, strut);
    // F11's key code: the keyboard mapping's first column.
    const xcb_setup_t* setup = xcb_get_setup(c);
    auto* mapping = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, setup->max_keycode - setup->min_keycode + 1), nullptr);
    xcb_keycode_t f11 = 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
    for (int i = 0; i <= setup->max_keycode - setup->min_keycode; ++i) {
        if (syms[i * mapping->keysyms_per_keycode] == 0xffc8) f11 = setup->min_keycode + i;
    }
    std::free(mapping);
    xcb_grab_key(c, 1, root, 0, f11, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    F11 filter(root, f11, bar);
    application.installNativeEventFilter(&filter);
    bar.show();
    return application.exec();
}
