#include "profile/private_profile_engine.h"

#include <memory>
#include <vector>

#include "profile/profile_edit.h"
#include "profile/profile_text.h"

namespace zindle {
namespace {

constexpr std::string_view kNewFileNewline = "\n";

using profile_text::HasLineBreak;
using profile_text::IsBlank;
using profile_text::TrimSpaces;

// After the caller's spaces are trimmed a name must not keep blanks at its
// ends: the reader trims those, so the name could never be found again.
bool HasCleanEnds(std::string_view name) {
    return name.empty() || (!IsBlank(name.front()) && !IsBlank(name.back()));
}

bool IsWritableSection(std::string_view name) {
    return !HasLineBreak(name) && name.find(']') == std::string_view::npos && HasCleanEnds(name);
}

bool IsWritableKey(std::string_view name) {
    return !HasLineBreak(name) && name.find('=') == std::string_view::npos && HasCleanEnds(name) &&
           (name.empty() || (name.front() != ';' && name.front() != '['));
}

// A line of a section block that would start a new section would take the
// lines after it out of the section.
bool IsWritableBlockLine(std::string_view line) {
    const std::string_view text = profile_text::TrimBlank(line);
    return !HasLineBreak(line) && (text.empty() || text.front() != '[');
}

// "k1=v1\0k2=v2\0\0": the block ends at its first empty string (or at the
// end of the view), so any number of closing NULs will do.
std::vector<std::string_view> SplitBlock(std::string_view block) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < block.size()) {
        std::size_t nul = block.find('\0', pos);
        if (nul == std::string_view::npos) nul = block.size();
        if (nul == pos) break;
        lines.push_back(block.substr(pos, nul - pos));
        pos = nul + 1;
    }
    return lines;
}

// What GetString gives for the key of a file parsed as document (null when
// there is no file).
std::string ValueOf(const ProfileDocument* document, std::string_view section, std::string_view key,
                    std::string_view defaultValue, int bufferSize) {
    std::optional<std::string_view> value;
    if (document) value = document->Value(TrimSpaces(section), TrimSpaces(key));
    const std::string_view result = value ? *value : profile_text::TrimTrailingSpaces(defaultValue);
    return std::string(result.substr(0, static_cast<std::size_t>(bufferSize) - 1));
}

}  // namespace

std::string PrivateProfileEngine::GetString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue, int bufferSize,
                                            const std::string& path) {
    if (bufferSize <= 0) return {};
    return ValueOf(cache_.Current(path).get(), section, key, defaultValue, bufferSize);
}

std::vector<std::string> PrivateProfileEngine::GetStrings(std::string_view section, std::span<const std::string> keys,
                                                          std::string_view defaultValue, int bufferSize,
                                                          const std::string& path) {
    std::vector<std::string> values(keys.size());
    if (bufferSize <= 0) return values;
    const std::shared_ptr<const ProfileDocument> document = cache_.Current(path);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        values[i] = ValueOf(document.get(), section, keys[i], defaultValue, bufferSize);
    }
    return values;
}

bool PrivateProfileEngine::WriteString(std::optional<std::string_view> section, std::optional<std::string_view> key,
                                       std::optional<std::string_view> value, const std::string& path) {
    if (!section) return false;
    const std::string_view sectionName = TrimSpaces(*section);
    if (!IsWritableSection(sectionName)) return false;
    if (!key) {
        return Rewrite(path, [&](const ProfileDocument& document, std::string_view) {
            return WithoutSection(document, sectionName);
        });
    }
    const std::string_view keyName = TrimSpaces(*key);
    if (!IsWritableKey(keyName)) return false;
    if (!value) {
        return Rewrite(path, [&](const ProfileDocument& document, std::string_view) {
            return WithoutKey(document, sectionName, keyName);
        });
    }
    if (HasLineBreak(*value)) return false;
    return Rewrite(path, [&](const ProfileDocument& document, std::string_view newline) {
        return WithValue(document, sectionName, keyName, *value, newline);
    });
}

bool PrivateProfileEngine::WriteSection(std::string_view section, std::string_view block, const std::string& path) {
    const std::string_view sectionName = TrimSpaces(section);
    if (!IsWritableSection(sectionName)) return false;
    const std::vector<std::string_view> lines = SplitBlock(block);
    for (std::string_view line : lines) {
        if (!IsWritableBlockLine(line)) return false;
    }
    return Rewrite(path, [&](const ProfileDocument& document, std::string_view newline) {
        return WithSection(document, sectionName, lines, newline);
    });
}

bool PrivateProfileEngine::WriteStrings(std::string_view section,
                                        std::span<const std::pair<std::string, std::string>> values,
                                        const std::string& path) {
    const std::string_view sectionName = TrimSpaces(section);
    if (!IsWritableSection(sectionName)) return false;
    bool all = true;
    std::vector<std::pair<std::string_view, std::string_view>> writable;
    for (const auto& [key, value] : values) {
        const std::string_view keyName = TrimSpaces(key);
        if (IsWritableKey(keyName) && !HasLineBreak(value)) {
            writable.emplace_back(keyName, value);
        } else {
            all = false;
        }
    }
    if (writable.empty()) return all;
    return Rewrite(path, [&](const ProfileDocument& document, std::string_view newline) {
        // Each value is set in the text the previous ones left, parsed anew
        // only when it changed: saving settings that did not change parses
        // nothing.
        std::unique_ptr<const ProfileDocument> changed;
        const ProfileDocument* current = &document;
        for (const auto& [key, value] : writable) {
            std::string next = WithValue(*current, sectionName, key, value, newline);
            if (next == current->Bytes()) continue;
            changed = std::make_unique<const ProfileDocument>(std::move(next));
            current = changed.get();
        }
        return current->Bytes();
    }) && all;
}

bool PrivateProfileEngine::Rewrite(const std::string& path, const Edit& edit) {
    FileRewrite rewrite(path);
    if (!rewrite.Ready()) return false;
    const std::int64_t readStartNs = WallClockNs();
    FileSnapshot snapshot = rewrite.Read();
    if (snapshot.state == FileState::Unreadable) return false;

    std::shared_ptr<const ProfileDocument> document;
    if (snapshot.state == FileState::Present) {
        document = cache_.Remember(path, std::move(snapshot), readStartNs);
    } else {
        cache_.Forget(path);
        document = std::make_shared<const ProfileDocument>(std::string());
    }
    // A file saved as UTF-16 ("Unicode" in Windows editors) is not ours to
    // edit byte by byte: the lines we add would be single bytes in the
    // middle of UTF-16 text, ruining the file for every editor.
    if (document->Encoding() == FileEncoding::Utf16) return false;
    if (document->Encoding() == FileEncoding::Ansi && EncodeFile(FileEncoding::Ansi, document->Bytes()) != document->FileBytes()) {
        return false;
    }
    const std::string_view newline = document->Newline().empty() ? kNewFileNewline : document->Newline();
    std::string updated = edit(*document, newline);
    // Nothing to change (or, for a missing file, nothing to create).
    if (updated == document->Bytes()) return true;
    // Written in the file's own encoding, or not at all.
    std::optional<std::string> bytes = EncodeFile(document->Encoding(), std::move(updated));
    if (!bytes) return false;

    FileSnapshot written;
    written.state = FileState::Present;
    if (!rewrite.Replace(*bytes, written.stamp)) return false;
    written.bytes = std::move(*bytes);
    cache_.Remember(path, std::move(written), readStartNs);
    return true;
}

}  // namespace zindle
