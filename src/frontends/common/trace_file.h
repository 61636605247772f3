#pragma once
// "--trace FILE": a window front end appends each event line to FILE as it
// happens, flushed at once, so the file shows what the bar did up to a crash.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace zindle {

class TraceFile {
public:
    // Takes "--trace FILE" out of arguments (the program's command-line words
    // after its name) and opens FILE for appending. Without the option, or
    // when FILE cannot be opened, Write does nothing; Error() says why.
    explicit TraceFile(std::vector<std::string>& arguments);

    bool Active() const { return out_.is_open(); }
    const std::string& Error() const { return error_; }
    void Write(std::string_view line);
    // Writes the line unless it equals the last line written under the same
    // key: for states reported when they change (status, command, edge...).
    void WriteIfChanged(std::string_view key, std::string_view line);

private:
    std::ofstream out_;
    std::string error_;
    std::vector<std::pair<std::string, std::string>> last_;
};

}  // namespace zindle
