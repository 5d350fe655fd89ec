// Fuzzes macro expansion. The first line of the input is the text; each further line
// "name=value" is one entry of the macro table (at most 16, as many as an install has
// destinations). When no message was shown, no macro mark or apostrophe pair may remain.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/UserMessage.h"
#include "profile/MacroExpansion.h"

namespace {
constexpr size_t kMaxEntries = 16;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        lines.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> names, values;
    for (size_t i = 1; i < lines.size() && names.size() < kMaxEntries; ++i) {
        size_t equal = lines[i].find('=');
        names.push_back(lines[i].substr(0, equal));
        values.push_back(equal == std::string::npos ? std::string() : lines[i].substr(equal + 1));
    }

    int messages = 0;
    UserMessageHandler previous = SetUserMessageHandler([&](const std::string&) { ++messages; });
    std::string result = ExpandMacros(lines[0], names, values);
    SetUserMessageHandler(std::move(previous));

    if (messages > 1)
        std::abort();
    if (messages == 0 && (result.find('?') != std::string::npos || result.find("''") != std::string::npos))
        std::abort();
    return 0;
}
