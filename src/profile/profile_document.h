#pragma once
// One INI file parsed the way GetPrivateProfileStringA reads it, with the
// position of every line kept so that an edit can rewrite a single line and
// leave every other byte alone. A file in the ANSI code page is parsed as
// its UTF-8 text; edits work on that text, and the engine encodes the
// result back, which gives every untouched byte back as it was.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "profile/file_encoding.h"
#include "profile/profile_text.h"

namespace zindle {

class ProfileDocument {
public:
    enum class LineKind : std::uint8_t { Blank, Comment, Header, Key, Other };

    struct Line {
        std::size_t begin = 0;       // first byte of the line
        std::size_t end = 0;         // end of its text, before the line break
        std::size_t next = 0;        // first byte of the following line
        std::size_t nameBegin = 0;   // section or key name, blanks trimmed
        std::size_t nameEnd = 0;
        std::size_t valueBegin = 0;  // key value, blanks trimmed
        std::size_t valueEnd = 0;
        LineKind kind = LineKind::Blank;

        bool HasBreak() const { return next > end; }
    };

    using KeyIndex = std::unordered_map<std::string_view, std::size_t, profile_text::NoCaseHash,
                                        profile_text::NoCaseEqual>;

    struct Section {
        std::size_t header = 0;  // line index of the header
        std::size_t end = 0;     // one past the section's last line
        KeyIndex keys;           // first line of each key; only for the first section of a name
    };

    // The file's bytes, in whichever encoding DetectEncoding finds.
    explicit ProfileDocument(std::string fileBytes);
    ProfileDocument(const ProfileDocument&) = delete;
    ProfileDocument& operator=(const ProfileDocument&) = delete;

    // The file's text as UTF-8, which every position refers to.
    const std::string& Bytes() const { return bytes_; }
    // The file's bytes as they were read.
    const std::string& FileBytes() const { return encoding_ == FileEncoding::Ansi ? fileBytes_ : bytes_; }
    FileEncoding Encoding() const { return encoding_; }
    const std::vector<Line>& Lines() const { return lines_; }
    // The file's first line break ("\r\n", "\n" or "\r"); empty when it has none.
    std::string_view Newline() const { return newline_; }
    // True when the last line has text but no line break.
    bool EndsWithoutBreak() const { return !lines_.empty() && !lines_.back().HasBreak(); }
    std::string_view Name(const Line& line) const;

    // The first section of that name (case ignored), or null.
    const Section* FindSection(std::string_view name) const;
    // Line index of the first key of that name in the section.
    std::optional<std::size_t> FindKey(const Section& section, std::string_view key) const;
    // The value as read: blanks trimmed and one pair of enclosing quotes removed.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

private:
    Line ParseLine(std::size_t begin) const;

    FileEncoding encoding_;
    std::string bytes_;
    std::string fileBytes_;  // only when they differ from bytes_
    std::vector<Line> lines_;
    std::vector<Section> sections_;
    std::unordered_map<std::string_view, std::size_t, profile_text::NoCaseHash, profile_text::NoCaseEqual>
        sectionIndex_;
    std::string_view newline_;
};

}  // namespace zindle
