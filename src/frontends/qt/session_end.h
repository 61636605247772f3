#pragma once
// The end of a session on Linux. SIGTERM, SIGHUP and SIGINT (a logout, a
// closed terminal, Ctrl+C, systemd stopping the session) end the bar as its
// exit button does. The handler only writes the signal's number into a
// pipe; the event loop reads it and does the work, so nothing unsafe runs
// inside the handler. When the session manager asks the program to save its
// data, what has not been saved yet is written.

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace zindle {

class SessionEnd final : public QObject {
public:
    // end unloads the bar; save writes the changes not saved yet.
    SessionEnd(std::function<void()> end, std::function<void()> save);
    // Puts the signals' default actions back.
    ~SessionEnd() override;

    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    // False when the pipe could not be made; the signals then keep their
    // default actions.
    bool Active() const { return notifier_ != nullptr; }

private:
    void ReadSignals();

    std::function<void()> end_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zindle
