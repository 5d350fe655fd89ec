// Fuzzes Unsetup's removal over the file sections of a log. The input is read as a log: "[name]"
// starts a file group, "key=value" is one file record of it. Whatever the log says, the removal
// may delete only plain names in the product's own destinations below 1000, and try to remove
// only the directories of the product's destinations.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "uninstall/CRemoval.h"

namespace {
const char* const kProductDirectories[] = {"C:\\KALMORA\\", "C:\\KALMORA\\SAMPLES\\"};
const char kSharedDirectory[] = "C:\\SHARED\\";  // destination 1000: files stay, an empty directory may go

bool IsProductDirectory(const std::string& directory)
{
    for (const char* product : kProductDirectories)
        if (directory == product)
            return true;
    return false;
}

class CheckingActions : public IRemovalActions {
public:
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> log;

    bool ShowStatus(int, int) override { return true; }
    bool ShowFileStatus(int, const std::string&) override { return true; }
    void SetGauge(int position) override
    {
        if (position < 0 || position > CRemoval::kGaugeMaximum)
            std::abort();
    }
    void RemoveSchedulerIcon() override {}
    void RemoveShortcut(const CShortcutTarget&) override {}
    void DeleteRemovalKeys() override {}
    void UnregisterDlls() override {}
    void RemoveLoggedKeys() override {}
    void DecrementCounts() override {}
    std::vector<std::pair<std::string, std::string>> LoggedFiles(const std::string& group) override
    {
        return log[group];
    }
    void ClearReadOnly(const std::string&) override {}
    void DeleteFile(const std::string& path) override
    {
        std::string::size_type cut = path.find_last_of('\\');
        if (cut == std::string::npos || !IsProductDirectory(path.substr(0, cut + 1)) ||
            !CRemoval::IsSafeLoggedName(path.substr(cut + 1)))
            std::abort();
    }
    void DeleteSettingsFile() override {}
    void RemoveEmptyDirectory(const std::string& path) override
    {
        if (!IsProductDirectory(path) && path != kSharedDirectory)
            std::abort();
    }
    void DeleteLog() override {}
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CDestinationStore destinations("C:\\KALMORA\\", "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\TEMP\\");
    destinations.SetNameAndParent(0, "Kalmora", -1);
    destinations.SetDirectory(0, kProductDirectories[0]);
    destinations.SetNameAndParent(1, "Samples", 0);
    destinations.SetDirectory(1, kProductDirectories[1]);
    destinations.SetNameAndParent(1000, "Shared", -1);
    destinations.SetDirectory(1000, kSharedDirectory);
    CGroupStore groups;
    CTargetStore targets;
    CheckingActions actions;

    std::string input(reinterpret_cast<const char*>(data), size);
    std::string group;
    std::string::size_type start = 0;
    while (start < input.size()) {
        std::string::size_type end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        std::string line = input.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            std::string::size_type close = line.find(']');
            group = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            CGroup record;
            record.name = group;
            groups.Put(record);
            continue;
        }
        std::string::size_type equal = line.find('=');
        if (equal != std::string::npos)
            actions.log[group].emplace_back(line.substr(0, equal), line.substr(equal + 1));
    }
    CRemoval removal(destinations, groups, targets, actions);
    removal.windowsDirectory = "C:\\WINDOWS\\";
    removal.systemDirectory = "C:\\WINDOWS\\SYSTEM\\";
    removal.Run();
    return 0;
}
