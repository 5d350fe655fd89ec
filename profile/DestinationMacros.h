#pragma once
// The macro table that the integration fills after copying: "?N?" for every destination with a
// directory, then "?LaunchDrive?".
#include <functional>
#include <string>
#include <vector>

#include "profile/CDestinationStore.h"

struct MacroTable {
    std::vector<std::string> names;
    std::vector<std::string> values;
};

// The short (8.3) form of an existing path, as the platform reports it; the path itself where
// there is none.
using ShortPathFunction = std::function<std::string(const std::string&)>;

// "?N?" stands for destination N's directory in short form with its trailing backslash, so that
// a profile writes "?0?kmshare.dll"; "?LaunchDrive?" for the drive letter and colon of the
// directory Setup was started from.
MacroTable BuildMacroTable(const CDestinationStore& destinations, const std::string& launchDirectory,
                           const ShortPathFunction& shortPath);
