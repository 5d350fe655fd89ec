#pragma once
// The summary that the Start Copying Files page shows before copying begins.
#include <string>
#include <vector>

// The groups listed in the summary, in this order, when they are to be installed.
extern const char* const kSummaryGroups[7];

// typeName: the setup type's name; descriptions: of the listed groups that are selected, in
// order. No length limit: long paths must not be cut or overflow.
std::string BuildSummary(const std::string& typeName, const std::vector<std::string>& descriptions,
                         const std::string& directory, const std::string& programFolder);
