#pragma once
// The installer's command line. Portable: parsed the same way natively for the unit tests.
//
// The line is split at single blanks. Only tokens that start with "/" and hold more than the "/"
// count. "/name:value" names a switch by the text before the first ":"; otherwise the switch is the
// one character after "/" and the value the rest. Names are case-sensitive; the last one wins.
#include <cstdint>
#include <optional>
#include <string>

struct CommandLine {
    bool unsetup = false;                   // "/U"
    std::optional<std::string> sourceDirectory;  // "/D:dir"
    std::uint32_t notifyThread = 0;         // "/T:id"; 0 means none
    bool unattended = false;                // "/B"
    bool inPlace = false;                   // "/N"
    bool conditionsOverride = false;        // "/I"

    static CommandLine Parse(const std::string& line);
};
