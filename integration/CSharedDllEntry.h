#pragma once
// The reference count of one shared DLL that the profile names: a registry entry under the
// SharedDLLs key whose value name is the DLL's full path.
#include <functional>

#include "integration/CRegEntryList.h"

class ILogWriter;

class CSharedDllEntry : public CRegEntry {
public:
    // The key that holds every count.
    std::string countKeyPath;

    CSharedDllEntry();
    // Reads "name" (the DLL's path, usually with a destination macro) and "option".
    void Load(const CIniSection& section) override;
    CRegEntry* Clone() const override { return new CSharedDllEntry(*this); }
    // The DLL's path is what the macros stand in.
    void ExpandMacros(const std::vector<std::string>& names, const std::vector<std::string>& values) override;
};

// Asked before a shared DLL of the Windows or system directory is deleted; receives the DLL's
// file name and answers whether to delete it.
using ConfirmSharedDllDeletion = std::function<bool(const std::string& fileName)>;

// The shared DLLs of the platform's section ("SharedDLLNT" or "SharedDLL95") of the profile.
class CSharedDllList : public CRegEntryList {
public:
    // Setup: raises the count of every selected DLL and notes it in the log's "SharedDll" section.
    void IncrementCounts(ILogWriter& log);

protected:
    std::unique_ptr<CRegEntry> NewEntry() const override { return std::make_unique<CSharedDllEntry>(); }
};

// What Unsetup needs to know to lower the counts.
struct SharedDllRemoval {
    std::string logPath;
    std::string windowsDirectory;
    std::string systemDirectory;
    ConfirmSharedDllDeletion confirm;
    // Whether the product installed the file at a path: a DLL without a count is deleted only then.
    std::function<bool(const std::string& path)> isProductFile;
    // The shared DLLs that file installation placed (the log's "Shared files"), and how paths
    // compare (resolved as the system resolves them): one that no logged count names was never
    // counted, because Setup stopped before it counted; nobody counting it, it goes.
    std::vector<std::string> installedFiles;
    std::function<std::string(const std::string& path)> canonical;
    bool isNT = false;
};

struct SharedDllRemovalResult {
    bool atRestart = false;  // a DLL that could not be deleted now goes at the next start
    bool failed = false;     // a count that could not be read, or a DLL neither deleted nor scheduled
};

// Unsetup: lowers the count of every DLL in the log's "SharedDll" section, the last first, and
// deletes a DLL that nothing uses any more (asking first in the Windows or system directory).
// Each DLL's line leaves the log once it is handled, so that a second Unsetup never lowers a
// count twice; a DLL that stays for a failure keeps its line.
SharedDllRemovalResult DecrementCounts(const SharedDllRemoval& removal);

// The question of the string table before a shared DLL of the Windows or system directory goes:
// Yes and No with the stop icon, No the default. Unattended, No is taken without asking.
ConfirmSharedDllDeletion AskBeforeDeletingSharedDll(bool unattended);
