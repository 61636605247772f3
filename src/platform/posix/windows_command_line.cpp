#include "platform/posix/windows_command_line.h"

#include <cstddef>
#include <utility>

namespace zindle {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the program name starting at pos; returns the position after it.
std::size_t ReadProgramName(std::string_view line, std::size_t pos, std::string& out) {
    bool quoted = false;
    for (; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && IsBlank(c)) {
            break;
        } else {
            out += c;
        }
    }
    return pos;
}

// Reads one later argument starting at pos; returns the position after it.
std::size_t ReadArgument(std::string_view line, std::size_t pos, std::string& out) {
    bool quoted = false;
    while (pos < line.size()) {
        std::size_t backslashes = 0;
        while (pos < line.size() && line[pos] == '\\') {
            ++backslashes;
            ++pos;
        }
        if (pos < line.size() && line[pos] == '"') {
            out.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1) {
                out += '"';
                ++pos;
            } else if (quoted && pos + 1 < line.size() && line[pos + 1] == '"') {
                out += '"';
                pos += 2;
            } else {
                quoted = !quoted;
                ++pos;
            }
            continue;
        }
        out.append(backslashes, '\\');
        if (pos >= line.size() || (!quoted && IsBlank(line[pos]))) {
            break;
        }
        out += line[pos];
        ++pos;
    }
    return pos;
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine) {
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (true) {
        while (pos < commandLine.size() && IsBlank(commandLine[pos])) {
            ++pos;
        }
        if (pos >= commandLine.size()) {
            break;
        }
        std::string token;
        pos =
            tokens.empty() ? ReadProgramName(commandLine, pos, token) : ReadArgument(commandLine, pos, token);
        tokens.push_back(std::move(token));
    }
    return tokens;
}

ProgramAndParameters SplitProgramName(std::string_view commandLine) {
    ProgramAndParameters split;
    std::size_t pos = 0;
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) {
        ++pos;
    }
    pos = ReadProgramName(commandLine, pos, split.program);
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) {
        ++pos;
    }
    split.parameters = commandLine.substr(pos);
    return split;
}

}  // namespace zindle
