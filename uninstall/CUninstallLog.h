#pragma once
// Writes the uninstall log through the private-profile functions, so that a key written again
// keeps its place and takes the new value.
#include <string>

#include "profile/CDestinationStore.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"

class CUninstallLog {
public:
    explicit CUninstallLog(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    void Write(const std::string& section, const std::string& key, const std::string& value) const;
    void WriteProgramFolder(const std::string& folder) const;
    void WriteFile(const std::string& group, const std::string& fileName, unsigned destinationId,
                   bool installedNow, bool replacedExisting) const;
    // The three stores, as the manifest holds them; negative destinations are left out.
    void WriteStores(const CDestinationStore& destinations, const CGroupStore& groups,
                     const CTargetStore& targets) const;

private:
    std::string path_;
};
