// Timing probe for the bar's benchmark on an X server.
//   bench_probe map PROGRAM [ARGS...]   starts PROGRAM; prints the milliseconds
//                                       until a dock window is in the window
//                                       manager's client list, and its PID
//   bench_probe focus WINDOW CMD...     runs CMD; milliseconds until WINDOW
//                                       is the active window
//   bench_probe grows FILE CMD...       runs CMD; milliseconds until FILE grows

#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

pid_t Start(char** argv) {
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv);
        _exit(127);
    }
    return child;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

std::vector<std::uint32_t> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t p) {
    auto* reply = xcb_get_property_reply(c, xcb_get_property(c, 0, w, p, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
    std::vector<std::uint32_t> values;
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

bool HasDock(xcb_connection_t* c, xcb_window_t root, const std::vector<std::uint32_t>& before) {
    const xcb_atom_t type = Atom(c, "_NET_WM_WINDOW_TYPE"), dock = Atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    for (const std::uint32_t w : Property(c, root, Atom(c, "_NET_CLIENT_LIST"))) {
        bool seen = false;
        for (const std::uint32_t old : before) seen = seen || old == w;
        if (seen) continue;
        for (const std::uint32_t t : Property(c, w, type)) {
            if (t == dock) return true;
        }
    }
    return false;
}

// Waits for property changes on the root window until done() says so.
template <class Done>
bool WaitOnRoot(xcb_connection_t* c, Done done) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (Clock::now() > deadline) return false;
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        std::free(event);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string mode = argv[1];
    if (mode == "grows") {
        struct stat before{};
        stat(argv[2], &before);
        const auto start = Clock::now();
        Start(argv + 3);
        struct stat now{};
        while (stat(argv[2], &now) == 0 && now.st_size == before.st_size) {
            if (Since(start) > 10000) return 1;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        std::printf("%.1f\n", Since(start));
        return 0;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    if (mode == "map") {
        const auto before = Property(c, root, Atom(c, "_NET_CLIENT_LIST"));
        const auto start = Clock::now();
        const pid_t child = Start(argv + 2);
        if (!WaitOnRoot(c, [&] { return HasDock(c, root, before); })) return 1;
        std::printf("%.1f %d\n", Since(start), static_cast<int>(child));
        return 0;
    }
    if (mode == "focus") {
        const auto target = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 0));
        const xcb_atom_t active = Atom(c, "_NET_ACTIVE_WINDOW");
        const auto start = Clock::now();
        Start(argv + 3);
        if (!WaitOnRoot(c, [&] {
                const auto now = Property(c, root, active);
                return !now.empty() && now.front() == target;
            })) {
            return 1;
        }
        std::printf("%.1f\n", Since(start));
        return 0;
    }
    return 2;
}
