#include "frontends/qt/qt_shell.h"

#include <canberra.h>
#include <signal.h>
#include <spawn.h>

#include <filesystem>
#include <vector>

#include "frontends/common/event_lines.h"
#include "platform/posix/launch_checks.h"
#include "platform/posix/windows_command_line.h"

extern char** environ;

namespace zindle {

namespace {

constexpr int kNoAssociation = 31;

}  // namespace

bool SpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty()) return false;
    for (const std::string& argument : argv) {
        if (argument.find('\0') != std::string::npos) return false;
    }
    std::vector<char*> pointers;
    for (const std::string& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // The child gets neither our files (the instance lock, the trace) nor
    // our ignored SIGCHLD, which would break a shell script's waiting.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    // A session of its own: the program outlives the bar, and Ctrl+C or a
    // hang-up in the terminal the bar was started from does not reach it.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    pid_t child = 0;
    const int error = posix_spawnp(&child, pointers.front(), &actions, &attributes, pointers.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0;
}

QtShell::~QtShell() {
    if (sound_) ca_context_destroy(sound_);
}

int QtShell::OpenTarget(const std::string& target) {
    const int result = ClassifyOpenTarget(target);
    if (result <= 32) return result;
    if (!SpawnDetached({"xdg-open", target})) return kNoAssociation;
    trace_.Write(OpenEventLine(target));
    return result;
}

bool QtShell::RunProgram(const std::string& commandLine) {
    const std::vector<std::string> tokens = SplitWindowsCommandLine(commandLine);
    if (tokens.empty() || !SpawnDetached(tokens)) return false;
    trace_.Write(ExecEventLine(commandLine));
    return true;
}

// A machine without a sound device plays nothing and says nothing.
void QtShell::PlaySoundFile(const std::string& path) {
    trace_.Write(SoundEventLine(path));
    if (soundFailed_ || path.find('\0') != std::string::npos) return;
    if (!sound_ && ca_context_create(&sound_) != CA_SUCCESS) {
        sound_ = nullptr;
        soundFailed_ = true;
        return;
    }
    ca_context_play(sound_, 0, CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr);
}

}  // namespace zindle
