#pragma once
// Expansion of profile macros (names in question marks, such as "?1?" or "?LaunchDrive?") and of
// two apostrophes into a double quote, which the profile language cannot quote otherwise.
#include <string>
#include <vector>

// Text shown when question marks remain after the pass limit (followed by the text).
inline const char kMacroErrorMessage[] = "Error in macro in line -> ";
inline const char kQuoteErrorMessage[] = "Error substituting two single quotes for one double quote";
// Neither loop runs more than this many passes.
constexpr int kMaxExpansionPasses = 100;

// Each pass replaces the first occurrence of every name by its value, as long as a question mark
// is left; then pairs of apostrophes become double quotes one at a time. When a loop reaches its
// pass limit the user sees a message and the text is returned as it stands. `names` and `values`
// are parallel; entries beyond the shorter one, and empty names, are not used.
std::string ExpandMacros(std::string text, const std::vector<std::string>& names,
                         const std::vector<std::string>& values);
