#include "frontends/common/trace_file.h"

#include <algorithm>

namespace zindle {

TraceFile::TraceFile(std::vector<std::string>& arguments) {
    const auto option = std::find(arguments.begin(), arguments.end(), "--trace");
    if (option == arguments.end()) return;
    if (option + 1 == arguments.end()) {
        error_ = "--trace needs a file name";
        arguments.erase(option);
        return;
    }
    const std::string path = *(option + 1);
    arguments.erase(option, option + 2);
    out_.open(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::app | std::ios::binary);
    if (!out_) error_ = "Can't write the trace file " + path;
}

void TraceFile::Write(std::string_view line) {
    if (!out_.is_open()) return;
    out_ << line << '\n';
    out_.flush();
}

void TraceFile::WriteIfChanged(std::string_view key, std::string_view line) {
    auto last = std::find_if(last_.begin(), last_.end(), [&](const auto& entry) { return entry.first == key; });
    if (last == last_.end()) {
        last_.emplace_back(std::string(key), std::string(line));
    } else if (last->second == line) {
        return;
    } else {
        last->second = std::string(line);
    }
    Write(line);
}

}  // namespace zindle
