#pragma once
// What each registry entry, shared DLL and file type of a profile becomes on Windows 95 and on
// Windows NT once Setup has expanded its macros, with the product installed in a given directory
// (destination 0). Setup's own loading and expansion do the work; the report only says what
// came out and what had to be assumed.
#include <cstdio>
#include <string>
#include <vector>

#include "app/CProfileContents.h"
#include "profile/DestinationMacros.h"

class CExpansionReport {
public:
    // A platform with the directories that only the machine knows, as a fresh Windows has them.
    struct Platform {
        const char* name;
        bool isNT;
        const char* windowsDirectory;
        const char* systemDirectory;
    };

    // destination must be a drive path (see DestinationError).
    CExpansionReport(const std::string& profilePath, const std::string& destination);

    // Why a value cannot stand for destination 0, in the terms of Setup's rule for a typed
    // directory; "" when it can.
    static std::string DestinationError(const std::string& destination);

    // What is assumed, then one line per entry and platform: the registry entries, the shared
    // DLLs of each platform's list, the file types.
    const std::vector<std::string>& Lines() const { return lines_; }
    void Print(std::FILE* out) const;

private:
    struct Expansion {
        const Platform* platform;
        MacroTable macros;
        CProfileContents contents;
    };

    static MacroTable Macros(const Platform& platform, const std::string& destination);
    void AddAssumptions(const std::string& destination);
    void AddRegistryEntries();
    void AddSharedDlls();
    void AddMediaTypes();
    void Add(const std::string& label, const Platform& platform, const std::string& what);

    std::vector<Expansion> expansions_;
    std::vector<std::string> lines_;
};
