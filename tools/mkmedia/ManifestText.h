#pragma once
// The setup manifest that Setup reads beside itself, from the description and from where each
// source went: the destinations, the groups, each group's sources with their figures, the icons
// and the diskette labels. Lines end in CR LF, as Windows INI files do.
#include "tools/mkmedia/MediumDescription.h"

#include <cstdint>
#include <string>
#include <vector>

struct ManifestSource {
    std::string group;
    std::string name;
    std::uint64_t totalBytes = 0;  // of its files once installed
    bool archive = true;
    std::size_t fileCount = 1;
    int disk = 1;
    bool afterOthers = false;  // read after the other sources of its diskette
    long destination = 0;      // a plain file's; an archive's entries carry their own
};

// Throws std::runtime_error when a figure does not fit the manifest (a total of 4 GB or more).
std::string ManifestText(const MediumDescription& description, const std::vector<ManifestSource>& sources);
