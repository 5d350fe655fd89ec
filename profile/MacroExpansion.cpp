#include "profile/MacroExpansion.h"

#include <algorithm>

#include "framework/UserMessage.h"

std::string ExpandMacros(std::string text, const std::vector<std::string>& names,
                         const std::vector<std::string>& values)
{
    const size_t entries = std::min(names.size(), values.size());
    int passes = 0;
    while (text.find('?') != std::string::npos) {
        if (++passes > kMaxExpansionPasses) {
            ShowUserMessage(kMacroErrorMessage + text);
            return text;
        }
        for (size_t i = 0; i < entries; ++i) {
            // An empty name would match everywhere and only grow the text.
            if (names[i].empty())
                continue;
            size_t at = text.find(names[i]);
            if (at != std::string::npos)
                text.replace(at, names[i].size(), values[i]);
        }
    }
    passes = 0;
    size_t at;
    while ((at = text.find("''")) != std::string::npos) {
        if (++passes > kMaxExpansionPasses) {
            ShowUserMessage(kQuoteErrorMessage);
            return text;
        }
        text.replace(at, 2, "\"");
    }
    return text;
}
