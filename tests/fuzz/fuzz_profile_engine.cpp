// The INI engine on random files and random sequences of reads, writes,
// deletions, section writes and edits by another program. After every call:
// a refused write left the file's bytes alone, an accepted one reads back as
// written, every key it did not aim at reads as before, and nothing but the
// file itself is left in its directory.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "file_system_memory.h"
#include "fuzz_support.h"
#include "profile/private_profile_engine.h"
#include "text/utf8.h"

namespace zindle::fuzz {
namespace {

constexpr int kBigBuffer = 1 << 20;
constexpr std::size_t kMaxQueries = 300;
const std::string kMissing = "\x01<missing>";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string_view Trim(std::string_view text, bool blanks) {
    const auto strip = [blanks](char c) { return blanks ? IsBlank(c) : c == ' '; };
    while (!text.empty() && strip(text.front())) text.remove_prefix(1);
    while (!text.empty() && strip(text.back())) text.remove_suffix(1);
    return text;
}

// Names match without regard to case, as the program compares text everywhere.
std::string Fold(std::string_view text) { return Utf8Lower(text); }

// What a stored value reads back as: blanks trimmed, one pair of quotes gone.
std::string ReadBack(std::string_view value) {
    value = Trim(value, true);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", begin), bytes.size());
        lines.push_back(bytes.substr(begin, end - begin));
        begin = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// The (section, key) names a file mentions, found without the engine's own
// parser: they only choose where the engine is asked.
using Query = std::pair<std::string, std::string>;

void CollectNames(std::string_view bytes, std::set<Query>& queries, std::vector<std::string>& names) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string section;
    for (std::string_view line : SplitLines(bytes)) {
        line = Trim(line, true);
        if (line.starts_with('[')) {
            section = Trim(line.substr(1, line.find(']') == std::string_view::npos ? line.npos : line.find(']') - 1),
                           true);
            names.push_back(section);
        } else if (!line.starts_with(';') && line.find('=') != std::string_view::npos) {
            std::string key(Trim(line.substr(0, line.find('=')), true));
            names.push_back(key);
            if (queries.size() < kMaxQueries) queries.emplace(section, std::move(key));
        }
    }
}

class Run {
public:
    explicit Run(std::string path) : path_(std::move(path)) {}

    std::string Read(const Query& query) {
        return engine_.GetString(query.first, query.second, kMissing, kBigBuffer, path_);
    }

    std::map<Query, std::string> Values(const std::set<Query>& queries) {
        std::map<Query, std::string> values;
        for (const Query& query : queries) values[query] = Read(query);
        return values;
    }

    PrivateProfileEngine engine_;
    std::string path_;
};

enum class Op { Read, Write, DeleteKey, DeleteSection, WriteSection, ForeignEdit, kMaxValue = ForeignEdit };

}  // namespace
}  // namespace zindle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace zindle;
    using namespace zindle::fuzz;
    FuzzedDataProvider data(bytes, size);
    const FreshMemoryFiles files;
    const std::string dir = "/profile";
    const std::string path = dir + "/test.ini";
    MakeMemoryDirectories(dir);
    if (data.ConsumeBool()) WriteMemoryFile(path, data.ConsumeRandomLengthString(4096));
    Run run(path);

    for (int step = 0; step < 32 && data.remaining_bytes() > 0; ++step) {
        const std::optional<std::string> original = ReadMemoryFile(path);
        const std::string before = original.value_or("");
        const bool existed = original.has_value();
        std::vector<std::string> names = {"S", "s", "cmds", "cfg", "history", "", " S ", "k", "K", "count", "a b"};
        std::set<Query> queries;
        CollectNames(before, queries, names);

        const Op op = data.ConsumeEnum<Op>();
        const std::string section = PickText(data, names);
        const std::string key = PickText(data, names);
        queries.emplace(std::string(Trim(section, false)), std::string(Trim(key, false)));

        if (op == Op::Read) {
            const int buffer = data.ConsumeIntegralInRange(-1, 300);
            const std::string value = run.engine_.GetString(section, key, data.ConsumeRandomLengthString(300),
                                                            buffer, path);
            FUZZ_CHECK(static_cast<int>(value.size()) <= std::max(0, buffer - 1));
            FUZZ_CHECK(ReadMemoryFile(path) == original);
            continue;
        }
        if (op == Op::ForeignEdit) {
            WriteMemoryFile(path, data.ConsumeRandomLengthString(1024));
            continue;
        }

        std::string value;
        std::string block;
        std::vector<std::pair<std::string, std::string>> blockKeys;  // first of each name, folded
        if (op == Op::Write) value = data.ConsumeRandomLengthString(200);
        if (op == Op::WriteSection) {
            std::set<std::string> seen;
            for (int i = data.ConsumeIntegralInRange(0, 6); i > 0; --i) {
                const std::string line = PickText(data, names) + (data.ConsumeBool() ? "=" : "") +
                                         data.ConsumeRandomLengthString(40);
                if (line.find('\0') != std::string::npos || line.empty()) continue;
                block += line;
                block += '\0';
                const std::string_view text = Trim(line, true);
                const std::size_t equals = text.find('=');
                if (text.starts_with(';') || equals == std::string_view::npos) continue;
                const std::string name(Trim(text.substr(0, equals), true));
                queries.emplace(std::string(Trim(section, false)), name);
                if (seen.insert(Fold(name)).second) blockKeys.emplace_back(name, ReadBack(text.substr(equals + 1)));
            }
            block += '\0';
        }

        const std::map<Query, std::string> old = run.Values(queries);
        bool written = false;
        switch (op) {
            case Op::Write: written = run.engine_.WriteString(section, key, value, path); break;
            case Op::DeleteKey: written = run.engine_.WriteString(section, key, std::nullopt, path); break;
            case Op::DeleteSection: written = run.engine_.WriteString(section, std::nullopt, std::nullopt, path); break;
            case Op::WriteSection: written = run.engine_.WriteSection(section, block, path); break;
            case Op::Read:
            case Op::ForeignEdit: break;
        }

        const std::string after = ReadMemoryFile(path).value_or("");
        if (!written) FUZZ_CHECK(after == before);
        // Only the file itself, and only when it existed or something was written.
        const std::vector<std::string> left = MemoryTree(dir);
        FUZZ_CHECK(left.empty() || (left.size() == 1 && left[0] == "test.ini"));
        FUZZ_CHECK(left.empty() == (!existed && after.empty()));

        const std::string targetSection = Fold(Trim(section, false));
        const std::string targetKey = Fold(Trim(key, false));
        for (const auto& [query, oldValue] : old) {
            const bool inSection = Fold(query.first) == targetSection;
            const bool aimedAt = written && inSection &&
                                 (op == Op::DeleteSection || op == Op::WriteSection || Fold(query.second) == targetKey);
            if (!aimedAt) FUZZ_CHECK(run.Read(query) == oldValue);
        }
        if (written && op == Op::Write) FUZZ_CHECK(run.Read({section, key}) == ReadBack(value));
        if (written && op == Op::WriteSection) {
            for (const auto& [name, expected] : blockKeys) FUZZ_CHECK(run.Read({section, name}) == expected);
            for (const auto& entry : old) {
                const Query& query = entry.first;
                const bool inBlock = std::any_of(blockKeys.begin(), blockKeys.end(), [&](const auto& line) {
                    return Fold(line.first) == Fold(query.second);
                });
                if (Fold(query.first) == targetSection && !inBlock) FUZZ_CHECK(run.Read(query) == kMissing);
            }
        }
    }
    return 0;
}
