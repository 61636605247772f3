#include "interpreter/substitution.h"

#include <algorithm>

#include "interpreter/text_helpers.h"

namespace zindle {

namespace {

// A command line longer than this is not a command line any more; stop
// growing rather than exhaust memory on a template that multiplies itself.
constexpr std::size_t kMaxExpandedLength = 1 << 20;

void ReplaceEvery(std::string& text, const std::string& key, const std::string& value) {
    const bool valueHoldsKey = value.find(key) != std::string::npos;
    std::size_t from = 0;
    for (;;) {
        const std::size_t found = text.find(key, from);
        if (found == std::string::npos) return;
        if (text.size() - key.size() + value.size() > kMaxExpandedLength) return;
        text.replace(found, key.size(), value);
        if (valueHoldsKey) {
            from = found + value.size();
        } else {
            // Restarting at the beginning finds nothing before `found` that
            // was not there before, except an occurrence that ends inside the
            // inserted value.
            from = found >= key.size() - 1 ? found - (key.size() - 1) : 0;
        }
    }
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
