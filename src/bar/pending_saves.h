#pragma once
// Keeps the files up to date while the bar runs, so that a session that ends
// without the bar unloading (a crash, a kill, a lost display) loses nothing:
// the history, the cfg settings the program changes, the edge and the
// docking state are written shortly after they change. A burst of changes
// is one write per file, made from a timer of the bar window, never while a
// key is being handled; each write replaces its file whole, as the profile
// engine always does.

#include <memory>
#include <string>
#include <vector>

#include "profile/program_settings.h"

namespace zindle {

struct BarContext;
class Timer;
class Window;

// "t" for the top edge, "b" for any other: what cfg "edge" keeps.
std::string EdgeIniValue(int edge);

class PendingSaves {
public:
    PendingSaves(const BarContext& context, Window& window);
    ~PendingSaves();

    // From now on, changes are compared with what the program holds now,
    // which is what its files hold once start-up is done.
    void Track();
    // Asks for a save soon; requests before it happens add nothing.
    void Schedule();
    // The docking object changed its state.
    void DockingChanged();
    // Writes what differs from what was last written.
    void Flush();
    // The unload writes everything itself; nothing is saved after it.
    void Stop();

private:
    SettingValues CurrentValues() const;

    const BarContext& context_;
    std::unique_ptr<Timer> timer_;
    bool tracking_ = false;
    bool dockingChanged_ = false;
    std::vector<std::string> savedHistory_;
    SettingValues savedValues_;
};

}  // namespace zindle
