#include "interpreter/substitution.h"

#include <cstddef>
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

// border[i]: the length of the longest proper prefix of key[0..i] that is
// also a suffix of it (the Knuth-Morris-Pratt failure function).
std::vector<std::size_t> Borders(const std::string& key) {
    std::vector<std::size_t> border(key.size(), 0);
    for (std::size_t i = 1, m = 0; i < key.size(); ++i) {
        while (m > 0 && key[i] != key[m]) m = border[m - 1];
        if (key[i] == key[m]) ++m;
        border[i] = m;
    }
    return border;
}

// Replaces the first occurrence of key, then searches again from the first
// place a new occurrence could start: one that reaches into the inserted
// value from before it, unless the value holds the key itself, in which
// case the search goes on after the value. Done in one pass: the text
// already searched is kept with the matcher's state after each of its
// characters, and the value is fed in before the rest, so a replacement
// costs the length of the value, never the length of the text.
void ReplaceEvery(std::string& text, const std::string& key, const std::string& value) {
    const bool valueHoldsKey = value.find(key) != std::string::npos;
    const std::vector<std::size_t> border = Borders(key);
    std::string done;
    std::vector<std::size_t> matched;  // key characters matched after each character of done
    std::string rest(text.rbegin(), text.rend());  // still to search, next character last
    std::size_t floor = 0;  // where an occurrence may start at the earliest
    std::size_t replacements = 0;
    done.reserve(text.size());
    matched.reserve(text.size());
    while (!rest.empty()) {
        const char c = rest.back();
        rest.pop_back();
        std::size_t m = matched.empty() ? 0 : matched.back();
        if (m == key.size()) m = border[m - 1];
        while (m > 0 && key[m] != c) m = border[m - 1];
        if (key[m] == c) ++m;
        done.push_back(c);
        matched.push_back(m);
        if (m < key.size() || done.size() - key.size() < floor) continue;

        if (done.size() + rest.size() - key.size() + value.size() > kMaxExpandedLength ||
            ++replacements > kMaxReplacements) {
            break;
        }
        const std::size_t found = done.size() - key.size();
        done.resize(found);
        matched.resize(found);
        rest.append(value.rbegin(), value.rend());
        if (valueHoldsKey) floor = found + value.size();
    }
    text = std::move(done);
    text.append(rest.rbegin(), rest.rend());
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

}  // namespace zindle
