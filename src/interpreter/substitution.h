#pragma once
// Placing typed words into a "%%parse" template.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zindle {

using SubstitutionTable = std::vector<std::pair<std::string, std::string>>;

// Rows "%%1" .. "%%n" for the words of args (split at single blanks), then
// "%%@" for the whole argument text.
SubstitutionTable BuildSubstitutionTable(const std::string& args);

// Applies the rows in order, each replacing every occurrence of its key and
// searching again after each replacement, so an occurrence formed across a
// replacement's edge is replaced too. A row whose value equals its key stops
// the substitution. Always terminates, in time linear in the text and the
// values inserted: a value that contains its own key is not searched again,
// the result is never grown beyond a fixed bound, and a row stops after a
// fixed number of replacements.
std::string SubstituteAll(std::string text, const SubstitutionTable& table);

}  // namespace zindle
