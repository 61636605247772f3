#pragma once
// The private-profile functions for systems without them: reads and writes
// INI files byte for byte the way GetPrivateProfileStringA,
// WritePrivateProfileStringA and WritePrivateProfileSectionA do, and in a few
// points more safely:
//  - a file is replaced atomically (temporary file, flush, rename), keeping
//    its permissions and writing through a symbolic link to its target;
//  - every read-modify-write holds an advisory lock and re-reads the file, so
//    another instance's edits are never lost;
//  - a file that exists but cannot be read is never written over, nor is a
//    file in UTF-16 (it starts with that byte order mark);
//  - a write that would break the file's structure is refused: a line break
//    in any name or value, a section name holding ']', a key holding '=' or
//    starting with ';' or '[', a name with tabs at either end, a block line
//    starting with '['. None of those could be read back as written;
//  - a UTF-8 byte order mark is skipped when reading and kept when writing;
//  - a file that is not UTF-8 (one from Windows) is read in the ANSI code
//    page (native_text.h) and written back in it; a write it cannot hold
//    is refused, as is one that would put bytes that are not UTF-8 into a
//    UTF-8 file, or one that would change bytes the code page cannot map
//    back (a damaged double-byte character) in lines it never touched.
// Names match without regard to case, for every letter that has one.
// Lines are written with the file's own line break; a new file gets "\n".
// Parsed files are cached per path and re-validated against the file on
// every call. Not thread-safe: the program uses it from one thread.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile_files.h"
#include "profile/profile_cache.h"

namespace zindle {

class PrivateProfileEngine final : public ProfileFiles {
public:
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          int bufferSize, const std::string& path) override;

    std::vector<std::string> GetStrings(std::string_view section, std::span<const std::string> keys,
                                        std::string_view defaultValue, int bufferSize,
                                        const std::string& path) override;

    bool WriteString(std::optional<std::string_view> section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value, const std::string& path) override;

    bool WriteSection(std::string_view section, std::string_view block, const std::string& path) override;

    // The same bytes as the WriteString calls would leave, in one rewrite.
    bool WriteStrings(std::string_view section, std::span<const std::pair<std::string, std::string>> values,
                      const std::string& path) override;

private:
    // Builds the new bytes from the current file and the newline to write.
    using Edit = std::function<std::string(const ProfileDocument&, std::string_view newline)>;

    // Locks, re-reads the file, applies the edit and replaces the file when
    // its bytes change.
    bool Rewrite(const std::string& path, const Edit& edit);

    ProfileCache cache_;
};

}  // namespace zindle
