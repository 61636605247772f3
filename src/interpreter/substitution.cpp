#include "interpreter/substitution.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "interpreter/text_helpers.h"

namespace zindle {

namespace {

// A command line longer than this is not a command line any more; stop
// growing rather than exhaust memory on a template that multiplies itself.
constexpr std::size_t kMaxExpandedLength = 1 << 20;
// A value that forms its key anew with the text around it (a placeholder
// that walks through a run of "%%", say) can make a row replace without
// end in all but name; a real template has far fewer placeholders.
constexpr std::size_t kMaxReplacements = 1 << 22;

// The matcher's state after one more character: the length of the longest
// start of the key that the text read so far ends with.
std::size_t Step(const std::string& key, const std::vector<std::size_t>& border, std::size_t m, char c) {
    if (m == key.size()) m = border[m - 1];
    while (m > 0 && key[m] != c) m = border[m - 1];
    return key[m] == c ? m + 1 : m;
}

// border[i]: the length of the longest proper prefix of key[0..i] that is
// also a suffix of it (the Knuth-Morris-Pratt failure function): the
// matcher's state after key[1..i], from the borders before it.
std::vector<std::size_t> Borders(const std::string& key) {
    std::vector<std::size_t> border(key.size(), 0);
    for (std::size_t i = 1, m = 0; i < key.size(); ++i) border[i] = m = Step(key, border, m, key[i]);
    return border;
}

// Replaces the first occurrence of key, then searches again from the first
// place a new occurrence could start: one that reaches into the inserted
// value from before it, unless the value holds the key itself, in which
// case the search goes on after the value. Done in one pass: the value is
// fed in before the rest, so a replacement costs the length of the value,
// never the length of the text. While no start of the key is pending, the
// text up to the key's first character passes in one search; after a
// replacement the matcher's state is found again from the key's length of
// text before it, as it depends on no more.
void ReplaceEvery(std::string& text, const std::string& key, const std::string& value) {
    // A line of many words makes a placeholder for each, and most of them
    // are nowhere in the text: a plain search settles those.
    if (text.find(key) == std::string::npos) return;
    const bool valueHoldsKey = value.find(key) != std::string::npos;
    const std::vector<std::size_t> border = Borders(key);
    const std::string source = std::move(text);
    std::string done;
    done.reserve(source.size());
    std::vector<std::string_view> rest{source};  // still to search, the next piece last
    std::size_t restLength = source.size();
    std::size_t m = 0;      // the matcher's state after done
    std::size_t floor = 0;  // where an occurrence may start at the earliest
    std::size_t replacements = 0;
    while (!rest.empty()) {
        std::string_view& piece = rest.back();
        if (m == 0) {
            const std::size_t skip = std::min(piece.find(key[0]), piece.size());
            done.append(piece.substr(0, skip));
            piece.remove_prefix(skip);
            restLength -= skip;
        }
        if (piece.empty()) {
            rest.pop_back();
            continue;
        }
        const char c = piece.front();
        piece.remove_prefix(1);
        --restLength;
        m = Step(key, border, m, c);
        done.push_back(c);
        if (m < key.size() || done.size() - key.size() < floor) continue;

        if (done.size() + restLength - key.size() + value.size() > kMaxExpandedLength ||
            ++replacements > kMaxReplacements) {
            break;
        }
        const std::size_t found = done.size() - key.size();
        done.resize(found);
        m = 0;
        for (std::size_t i = found - std::min(found, key.size()); i < found; ++i) m = Step(key, border, m, done[i]);
        rest.emplace_back(value);
        restLength += value.size();
        if (valueHoldsKey) floor = found + value.size();
    }
    text = std::move(done);
    for (auto piece = rest.rbegin(); piece != rest.rend(); ++piece) text.append(*piece);
}

// The numbers n up to limit for which the text holds "%%n"; a longer number
// holds the shorter ones it starts with ("%%12" holds "%%1").
std::unordered_set<std::size_t> PlaceholdersIn(std::string_view text, std::size_t limit) {
    std::unordered_set<std::size_t> found;
    for (std::size_t at = text.find("%%"); at != std::string_view::npos; at = text.find("%%", at + 1)) {
        std::size_t number = 0;
        for (std::size_t i = at + 2; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            number = number * 10 + static_cast<std::size_t>(text[i] - '0');
            if (number == 0 || number > limit) break;
            found.insert(number);
        }
    }
    return found;
}

}  // namespace

SubstitutionTable BuildSubstitutionTable(const std::string& args) {
    SubstitutionTable table;
    const std::vector<std::string> words = SplitText(args, " ");
    table.reserve(words.size() + 1);
    for (std::size_t i = 0; i < words.size(); ++i) {
        table.emplace_back("%%" + std::to_string(i + 1), words[i]);
    }
    table.emplace_back("%%@", args);
    return table;
}

std::string SubstituteAll(std::string text, const SubstitutionTable& table) {
    for (const auto& [key, value] : table) {
        if (value == key) break;
        if (key.empty()) continue;
        ReplaceEvery(text, key, value);
    }
    return text;
}

std::string SubstituteArguments(std::string text, std::string_view args) {
    std::vector<std::string_view> words;
    for (std::size_t start = 0; !args.empty();) {
        const std::size_t blank = args.find(' ', start);
        words.push_back(args.substr(start, blank == std::string_view::npos ? blank : blank - start));
        if (blank == std::string_view::npos) break;
        start = blank + 1;
    }
    std::unordered_set<std::size_t> present = PlaceholdersIn(text, words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string key = "%%" + std::to_string(i + 1);
        // A word that is its own placeholder stops the substitution, held
        // by the text or not.
        if (words[i] == key) return text;
        if (!present.contains(i + 1)) continue;
        ReplaceEvery(text, key, std::string(words[i]));
        present = PlaceholdersIn(text, words.size());
    }
    if (args != "%%@") ReplaceEvery(text, "%%@", std::string(args));
    return text;
}

}  // namespace zindle
