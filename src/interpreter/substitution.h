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

// SubstituteAll(text, BuildSubstitutionTable(args)), without making a row
// for every word: a line of a hundred thousand words has as many
// placeholders, of which a template holds a handful. Only the rows whose key
// the text holds at their turn are applied.
std::string SubstituteArguments(std::string text, std::string_view args);

}  // namespace zindle
