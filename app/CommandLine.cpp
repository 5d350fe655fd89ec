#include "app/CommandLine.h"

#include <map>

namespace {
// Decimal number in the manner of atoi/strtoul for a thread identifier: leading digits only.
std::uint32_t ParseThreadId(const std::string& text)
{
    std::uint64_t value = 0;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 0xFFFFFFFFu)
            return 0;  // not a thread identifier at all
    }
    return static_cast<std::uint32_t>(value);
}

std::string Unquoted(const std::string& value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

std::map<std::string, std::string> SplitSwitches(const std::string& line)
{
    std::map<std::string, std::string> switches;
    size_t start = 0;
    while (start <= line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        // A value in double quotes may hold blanks: "/L:"C:\Setup Logs\run.txt"".
        size_t colon = line.find(':', start);
        if (colon != std::string::npos && colon < end && colon + 1 < line.size() && line[colon + 1] == '"') {
            size_t closing = line.find('"', colon + 2);
            if (closing != std::string::npos)
                end = closing + 1;
        }
        std::string token = line.substr(start, end - start);
        start = end + 1;
        if (token.size() < 2 || token[0] != '/')
            continue;
        colon = token.find(':');
        if (colon != std::string::npos)
            switches[token.substr(1, colon - 1)] = Unquoted(token.substr(colon + 1));
        else
            switches[token.substr(1, 1)] = token.substr(2);
    }
    return switches;
}
}

CommandLine CommandLine::Parse(const std::string& line)
{
    CommandLine result;
    for (const auto& [name, value] : SplitSwitches(line)) {
        if (name == "U")
            result.unsetup = true;
        else if (name == "D")
            result.sourceDirectory = value;
        else if (name == "T")
            result.notifyThread = ParseThreadId(value);
        else if (name == "B")
            result.unattended = true;
        else if (name == "N")
            result.inPlace = true;
        else if (name == "I")
            result.conditionsOverride = true;
        else if (name == "L" && !value.empty())
            result.runReport = value;
        else if (name == "R")
            result.restartLeftToCaller = true;
    }
    return result;
}
