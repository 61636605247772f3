#pragma once
// Checks made against the real file system before anything is launched, so a
// POSIX front end reports the result codes a Windows shell would give.

#include <optional>
#include <string>
#include <string_view>

namespace zindle {

// True when text starts with a scheme of at least two characters (a letter,
// then letters, digits, '+', '.' or '-') followed by ':'. The length rule keeps
// a drive path such as "C:\x" from counting as an address.
bool IsUrl(std::string_view text);

// The result code the Windows shell's open action would give for target,
// found without opening anything: 33 for an address or an existing file or
// folder, 2 (file not found) for an empty target or a missing entry whose
// folder exists, 3 (path not found) when the folder itself is missing.
// Relative paths are relative to the current directory.
int ClassifyOpenTarget(const std::string& target);

// The path of the executable file that name stands for: name itself when it
// holds a '/', otherwise the first match in the directories of PATH (an empty
// entry means the current directory). nullopt when there is none.
std::optional<std::string> FindProgram(const std::string& name);

}  // namespace zindle
