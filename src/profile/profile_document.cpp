#include "profile/profile_document.h"

#include "profile/native_text.h"

namespace zindle {
namespace {

// Windows does not know the UTF-8 byte order mark; we skip it so that a file
// saved by an editor that adds one still reads, and keep it when rewriting.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

ProfileDocument::ProfileDocument(std::string fileBytes) : encoding_(DetectEncoding(fileBytes)) {
    if (encoding_ == FileEncoding::Ansi) {
        bytes_ = AnsiToUtf8(fileBytes);
        fileBytes_ = std::move(fileBytes);
    } else {
        bytes_ = std::move(fileBytes);
    }
    std::size_t pos = std::string_view(bytes_).starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    bool indexingKeys = false;
    while (pos < bytes_.size()) {
        const Line line = ParseLine(pos);
        const std::size_t index = lines_.size();
        if (newline_.empty() && line.HasBreak()) {
            newline_ = std::string_view(bytes_).substr(line.end, line.next - line.end);
        }
        if (line.kind == LineKind::Header) {
            if (!sections_.empty()) sections_.back().end = index;
            sections_.push_back(Section{index, index + 1, {}});
            // Only the first section of a name is ever searched.
            indexingKeys = sectionIndex_.emplace(Name(line), sections_.size() - 1).second;
        } else if (line.kind == LineKind::Key && indexingKeys) {
            sections_.back().keys.emplace(Name(line), index);  // the first of a name wins
        }
        lines_.push_back(line);
        pos = line.next;
    }
    if (!sections_.empty()) sections_.back().end = lines_.size();
}

ProfileDocument::Line ProfileDocument::ParseLine(std::size_t begin) const {
    const std::string_view text = bytes_;
    Line line;
    line.begin = begin;
    std::size_t end = begin;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    line.end = end;
    line.next = end;
    if (end < text.size()) {
        line.next = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? end + 2 : end + 1;
    }

    std::size_t first = begin;
    while (first < end && profile_text::IsBlank(text[first])) ++first;
    if (first == end) return line;  // blank

    auto setName = [&](std::size_t from, std::size_t to) {
        const std::string_view trimmed = profile_text::TrimBlank(text.substr(from, to - from));
        line.nameBegin = static_cast<std::size_t>(trimmed.data() - text.data());
        line.nameEnd = line.nameBegin + trimmed.size();
    };

    if (text[first] == '[') {
        // The name runs to the first ']', or to the end when there is none;
        // anything after the ']' is ignored.
        const std::size_t close = text.substr(first + 1, end - first - 1).find(']');
        setName(first + 1, close == std::string_view::npos ? end : first + 1 + close);
        line.kind = LineKind::Header;
    } else if (text[first] == ';') {
        line.kind = LineKind::Comment;
    } else {
        const std::size_t equals = text.substr(first, end - first).find('=');
        if (equals == std::string_view::npos) {
            line.kind = LineKind::Other;
        } else {
            setName(first, first + equals);
            const std::string_view value =
                profile_text::TrimBlank(text.substr(first + equals + 1, end - first - equals - 1));
            line.valueBegin = static_cast<std::size_t>(value.data() - text.data());
            line.valueEnd = line.valueBegin + value.size();
            line.kind = LineKind::Key;
        }
    }
    return line;
}

std::string_view ProfileDocument::Name(const Line& line) const {
    return std::string_view(bytes_).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

const ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(name);
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::size_t> ProfileDocument::FindKey(const Section& section, std::string_view key) const {
    const auto found = section.keys.find(key);
    if (found == section.keys.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string_view> ProfileDocument::Value(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) return std::nullopt;
    const std::optional<std::size_t> index = FindKey(*found, key);
    if (!index) return std::nullopt;
    const Line& line = lines_[*index];
    std::string_view value = std::string_view(bytes_).substr(line.valueBegin, line.valueEnd - line.valueBegin);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace zindle
