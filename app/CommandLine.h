#pragma once
// The installer's command line. Portable: parsed the same way natively for the unit tests.
//
// The line is split at single blanks. Only tokens that start with "/" and hold more than the "/"
// count. "/name:value" names a switch by the text before the first ":"; otherwise the switch is the
// one character after "/" and the value the rest. A value after ":" in double quotes may hold
// blanks. Names are case-sensitive; the last one wins.
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
    std::optional<std::string> runReport;   // "/L:file": the record of the run goes there
    bool restartLeftToCaller = false;       // "/R": a needed restart is not made, the run ends with 3010

    static CommandLine Parse(const std::string& line);
};
