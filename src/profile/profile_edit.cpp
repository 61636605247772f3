#include "profile/profile_edit.h"

namespace zindle {
namespace {

using Line = ProfileDocument::Line;
using LineKind = ProfileDocument::LineKind;

// The bytes from the start of line `index` (or the end of the file) onwards.
std::string_view From(const ProfileDocument& document, std::size_t index) {
    const std::string_view bytes = document.Bytes();
    return bytes.substr(index < document.Lines().size() ? document.Lines()[index].begin : bytes.size());
}

// Everything up to and including the line break of `line`, giving the line
// one if it is the last line of the file and has none.
void AppendThrough(std::string& out, const ProfileDocument& document, const Line& line, std::string_view newline) {
    out += std::string_view(document.Bytes()).substr(0, line.next);
    if (!line.HasBreak()) out += newline;
}

void AppendLines(std::string& out, const std::vector<std::string_view>& lines, std::string_view newline) {
    for (std::string_view line : lines) {
        out += line;
        out += newline;
    }
}

std::string Appended(const ProfileDocument& document, std::string_view section,
                     const std::vector<std::string_view>& lines, std::string_view newline) {
    std::string out = document.Bytes();
    if (document.EndsWithoutBreak()) out += newline;
    out += '[';
    out += section;
    out += ']';
    out += newline;
    AppendLines(out, lines, newline);
    return out;
}

}  // namespace

std::string WithValue(const ProfileDocument& document, std::string_view section, std::string_view key,
                      std::string_view value, std::string_view newline) {
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    const ProfileDocument::Section* found = document.FindSection(section);
    if (found == nullptr) return Appended(document, section, {keyLine}, newline);

    const auto& lines = document.Lines();
    std::string out;
    if (const std::optional<std::size_t> index = document.FindKey(*found, key)) {
        const Line& line = lines[*index];
        out = std::string_view(document.Bytes()).substr(0, line.begin);
        out += document.Name(line);
        out += '=';
        out += value;
        out += newline;
        out += From(document, *index + 1);
        return out;
    }

    std::size_t anchor = found->header;
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        if (lines[i].kind == LineKind::Key) anchor = i;
    }
    AppendThrough(out, document, lines[anchor], newline);
    AppendLines(out, {keyLine}, newline);
    out += From(document, anchor + 1);
    return out;
}

std::string WithoutKey(const ProfileDocument& document, std::string_view section, std::string_view key) {
    const ProfileDocument::Section* found = document.FindSection(section);
    const std::optional<std::size_t> index = found ? document.FindKey(*found, key) : std::nullopt;
    if (!index) return document.Bytes();
    std::string out(std::string_view(document.Bytes()).substr(0, document.Lines()[*index].begin));
    out += From(document, *index + 1);
    return out;
}

std::string WithoutSection(const ProfileDocument& document, std::string_view section) {
    const ProfileDocument::Section* found = document.FindSection(section);
    if (found == nullptr) return document.Bytes();
    const auto& lines = document.Lines();
    const std::string_view bytes = document.Bytes();
    std::string out(bytes.substr(0, lines[found->header].begin));
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        if (lines[i].kind != LineKind::Key) out += bytes.substr(lines[i].begin, lines[i].next - lines[i].begin);
    }
    out += From(document, found->end);
    return out;
}

std::string WithSection(const ProfileDocument& document, std::string_view section,
                        const std::vector<std::string_view>& lines, std::string_view newline) {
    const ProfileDocument::Section* found = document.FindSection(section);
    if (found == nullptr) return Appended(document, section, lines, newline);
    const auto& fileLines = document.Lines();
    const std::string_view bytes = document.Bytes();
    std::string out;
    AppendThrough(out, document, fileLines[found->header], newline);
    AppendLines(out, lines, newline);
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        const Line& line = fileLines[i];
        if (line.kind != LineKind::Key) out += bytes.substr(line.begin, line.next - line.begin);
    }
    out += From(document, found->end);
    return out;
}

}  // namespace zindle
