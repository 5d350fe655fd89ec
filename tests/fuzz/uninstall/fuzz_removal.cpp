// Fuzzes Unsetup's removal over a log. The input is read as a log: "[destinations]" holds
// "number=directory" lines that point destinations anywhere, any other "[name]" starts a file
// group whose "key=value" lines are its file records. Whatever the log says, the removal may delete
// only plain names below 1000, never in a drive's root or the Windows or system directory, and
// remove no such directory.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "uninstall/CRemoval.h"

namespace {
const char* const kProductDirectories[] = {"C:\\KALMORA\\", "C:\\KALMORA\\SAMPLES\\"};
const char kSharedDirectory[] = "C:\\SHARED\\";  // destination 1000: files stay, an empty directory may go
const char kWindows[] = "C:\\WINDOWS\\";
const char kSystem[] = "C:\\WINDOWS\\SYSTEM\\";

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (text.size() > 1 && (text.back() == '\\' || text.back() == '/'))
        text.pop_back();
    return text;
}

// Told apart by its own rule: a drive, a colon, a separator and at least one name after it; not
// Windows' directories.
bool MayLose(const std::string& directory)
{
    std::string upper = Upper(directory);
    bool belowRoot = upper.size() > 3 && std::isalpha(static_cast<unsigned char>(upper[0])) && upper[1] == ':' &&
                     (upper[2] == '\\' || upper[2] == '/') && upper.find_first_not_of("\\/", 3) != std::string::npos;
    return belowRoot && upper != Upper(kWindows) && upper != Upper(kSystem);
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
    void DeleteInstalledFile(const std::string& path) override
    {
        std::string::size_type cut = path.find_last_of('\\');
        if (cut == std::string::npos || !MayLose(path.substr(0, cut + 1)) ||
            !CRemoval::IsSafeLoggedName(path.substr(cut + 1)))
            std::abort();
    }
    void DeleteSettingsFile() override {}
    void RemoveEmptyDirectory(const std::string& path) override
    {
        if (!MayLose(path))
            std::abort();
    }
    void DeleteLog() override {}
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CDestinationStore destinations("C:\\KALMORA\\", kWindows, kSystem, "C:\\TEMP\\");
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
            if (group != "destinations") {
                CGroup record;
                record.name = group;
                groups.Put(record);
            }
            continue;
        }
        std::string::size_type equal = line.find('=');
        if (equal == std::string::npos)
            continue;
        if (group == "destinations") {
            int number = std::atoi(line.substr(0, equal).c_str());
            destinations.SetNameAndParent(number, "Logged", -1);
            destinations.SetDirectory(number, line.substr(equal + 1));
        } else {
            actions.log[group].emplace_back(line.substr(0, equal), line.substr(equal + 1));
        }
    }
    CRemoval removal(destinations, groups, targets, actions);
    removal.windowsDirectory = kWindows;
    removal.systemDirectory = kSystem;
    removal.Run();
    return 0;
}
