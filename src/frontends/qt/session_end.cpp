#include "frontends/qt/session_end.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>

#include <array>
#include <cerrno>

namespace zindle {

namespace {

constexpr std::array kEndSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe's ends; one handler set per process.
int gSignalPipe[2] = {-1, -1};

extern "C" void WriteSignalToPipe(int signal) {
    const int savedErrno = errno;
    const char number = static_cast<char>(signal);
    // A full pipe already holds a wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = write(gSignalPipe[1], &number, 1);
    errno = savedErrno;
}

void SetHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

SessionEnd::SessionEnd(std::function<void()> end, std::function<void()> save) : end_(std::move(end)) {
    if (gSignalPipe[0] < 0 && pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(gSignalPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { ReadSignals(); });
    SetHandler(&WriteSignalToPipe);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [save = std::move(save)](QSessionManager&) { save(); });
}

SessionEnd::~SessionEnd() {
    if (notifier_) SetHandler(SIG_DFL);
}

void SessionEnd::ReadSignals() {
    char buffer[16];
    while (read(gSignalPipe[0], buffer, sizeof buffer) > 0) {
    }
    end_();
}

}  // namespace zindle
