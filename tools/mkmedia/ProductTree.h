#pragma once
// The files of the product's tree that each described source takes: a file as it is, a folder
// with every file below it. Setup installs a file under its last name component, so two files of
// one name for one destination are a mistake, as is a name Windows cannot create.
#include "tools/mkmedia/MediumDescription.h"

#include <cstdint>
#include <string>
#include <vector>

struct TreeFile {
    std::string path;        // on this machine
    std::string storedName;  // the name it is installed under
    long destination = 0;
    std::uint64_t bytes = 0;
};

struct TreeSource {
    const DescribedGroup* group = nullptr;
    const DescribedSource* source = nullptr;
    std::vector<TreeFile> files;
    std::uint64_t bytes = 0;  // of all its files
};

// Every source of the description with its files, in the description's order. Throws
// DescriptionError naming the line of a missing file, an empty folder, a name that cannot be
// installed or logged, a file given twice for one destination, or a file too large for an archive entry.
std::vector<TreeSource> CollectTreeFiles(const MediumDescription& description);
