#pragma once
// What the install profile "ov_setup.ini" describes, loaded once at start-up in both run modes:
// every parsed section is handed to the object that understands it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "integration/CMediaTypeEntry.h"
#include "integration/CRegEntryList.h"
#include "integration/CSharedDllEntry.h"
#include "profile/CCommandList.h"
#include "profile/CInstallProfile.h"
#include "profile/COptionList.h"
#include "profile/CSetupSettings.h"

// The three values of the "mediatypes" section that are read through the Windows INI functions,
// as they come back from buffers of 5, 50 and 100 characters.
struct MediaTypeValues {
    std::string count = "0";
    std::string shortName;
    std::string longName;
};

// One value of the profile as the Windows INI functions give it: the fallback when the section or
// key is missing, cut to a buffer of bufferSize characters (its terminating zero included).
using ProfileValueReader = std::function<std::string(const std::string& section, const std::string& key,
                                                     const std::string& fallback, unsigned bufferSize)>;

class CProfileContents {
public:
    static constexpr const char* kFileName = "ov_setup.ini";
    static constexpr std::size_t kCountCharacters = 4;  // a buffer of 5, its terminating zero included

    // Reads the profile at path. A missing file leaves everything empty and the settings at their
    // defaults; syntax errors lose only the entries concerned.
    void Load(const std::string& path, bool isNT, const MediaTypeValues& mediaTypeValues);

    // The "mediatypes" values as Setup reads them, for Load.
    static MediaTypeValues ReadMediaTypeValues(const ProfileValueReader& read);

    // Expands the destinations' macros in the registry entries and the shared DLLs; the file
    // types hold none.
    void ExpandMacros(const std::vector<std::string>& names, const std::vector<std::string>& values);

    // Marks for installation the registry entries whose option is registryOption and the shared
    // DLLs whose option is sharedDllOption (entries with option "0" always); never unmarks.
    void SelectEntries(const std::string& registryOption, const std::string& sharedDllOption);

    // The name of the shared-DLL sections that count on this platform.
    static const char* SharedDllSectionName(bool isNT);
    // The "count" text as atoi reads it from its buffer; no number gives 0.
    static int MediaTypeCount(const std::string& text);

    CMediaTypeList mediaTypes;
    std::unique_ptr<CInstallProfile> profile;
    COptionList options;
    CSetupSettings settings;
    CRegEntryList registryEntries;
    CCommandList commands;
    CSharedDllList sharedDlls;
};
