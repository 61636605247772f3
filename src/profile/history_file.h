#pragma once
// Storage of the command history in history.ini: section "history" with the
// key "count" and one key per entry, "1" (the most recent) up to the count.

#include <string>
#include <vector>

#include "profile/profile_store.h"

namespace zindle {

// The stored entries in order, skipping those that are empty once trimmed of
// spaces. A missing, non-numeric, zero or negative count gives none; the
// count is read as a signed 16-bit number, so at most 32767 keys are read.
std::vector<std::string> LoadHistoryFile(ProfileStore& store, const std::string& path);

// Writes the entries as the whole of section "history", replacing every key
// that was there. An entry holding a line break or a NUL cannot be stored as
// one line and is left out, as is one that is not UTF-8 and, in a file that
// came from Windows, one with a character its code page lacks; the
// remaining entries are numbered without gaps.
bool SaveHistoryFile(ProfileStore& store, const std::string& path, const std::vector<std::string>& entries);

}  // namespace zindle
