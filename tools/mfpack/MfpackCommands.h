#pragma once
// The four commands of mfpack. Each returns the process exit status; errors escape as exceptions
// and are turned into messages and statuses by main.
#include "transfer/archive/CArchiveWriter.h"

#include <string>
#include <vector>

struct CreateOptions {
    std::string archive;
    std::vector<ArchiveInput> inputs;
    std::uint32_t volumeSize = 0;
    bool store = false;
    bool progress = false;
};

int RunCreate(const CreateOptions& options);
int RunList(const std::string& archive);
int RunExtract(const std::string& archive, const std::string& directory, bool progress);
int RunTest(const std::string& archive, bool progress);

// The part of a stored name that extraction may use: its last component, or "" when that is
// empty, "." or "..".
std::string SafeOutputName(const std::string& storedName);
