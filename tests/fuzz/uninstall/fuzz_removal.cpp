// Fuzzes Unsetup's removal over a log. The input is read as a log: "[destinations]" holds
// "number=name|parent|directory" lines that point destinations anywhere, any other "[name]"
// starts a file group whose "key=value" lines are its file records. Whatever the log says, the
// removal may delete only plain names below 1000, never in a drive's root, the temporary
// directory, or the Windows directory or anything below it, and remove no such directory. The
// places are told apart by a resolution of paths of this file's own, not by the removal's.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "profile/ManifestValue.h"
#include "uninstall/CRemoval.h"

namespace {
const char kUninstaller[] = "C:\\KALMORA\\";
const char kWindows[] = "C:\\WINDOWS\\";
const char kSystem[] = "C:\\WINDOWS\\SYSTEM\\";
const char kTemporary[] = "C:\\TEMP\\";

// The short names that this machine would expand.
const std::pair<const char*, const char*> kShortNames[] = {{"C:\\WINDOW~1", "C:\\WINDOWS"},
                                                          {"C:\\PROGRA~1", "C:\\Program Files"}};

std::string ExpandShortNames(const std::string& path)
{
    for (const auto& [shortName, longName] : kShortNames) {
        std::string prefix = shortName;
        if (path.size() >= prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
            (path.size() == prefix.size() || path[prefix.size()] == '\\'))
            return longName + path.substr(prefix.size());
    }
    return path;
}

// The oracle's own reading of a path: upper case, the names between separators with Windows'
// trailing dots and blanks gone, "." and ".." applied. Not a full path: empty.
std::vector<std::string> Names(std::string path)
{
    std::vector<std::string> names;
    for (char& c : path)
        c = c == '/' ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' || path[2] != '\\')
        return names;
    names.push_back(path.substr(0, 2));
    std::string name;
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\') {
            name += path[i];
            continue;
        }
        if (name == "..") {
            if (names.size() > 1)
                names.pop_back();
        } else {
            std::size_t keep = name.find_last_not_of(". ");
            if (keep != std::string::npos)
                names.push_back(name.substr(0, keep + 1));
        }
        name.clear();
    }
    return names;
}

bool StartsWith(const std::vector<std::string>& inner, const std::vector<std::string>& outer)
{
    if (outer.empty() || inner.size() < outer.size())
        return false;
    for (std::size_t i = 0; i < outer.size(); ++i)
        if (inner[i] != outer[i])
            return false;
    return true;
}

// A directory the removal may act in.
bool MayLose(const std::string& directory)
{
    std::vector<std::string> names = Names(ExpandShortNames(directory));
    if (names.size() < 2)
        return false;
    return !StartsWith(names, Names(kWindows)) && names != Names(kTemporary);
}

bool IsPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
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
    void RemoveProgramFolder() override {}
    bool DeleteRemovalKeys() override { return true; }
    void UnregisterDlls(const CDestinationStore& destinations) override
    {
        for (int number : {5, 6, 7})
            if (!destinations.GetDirectory(number).empty() && !MayLose(destinations.GetDirectory(number)))
                std::abort();
    }
    bool RemoveLoggedKeys() override { return true; }
    Disposal DecrementCounts(const std::function<bool(const std::string&)>&) override { return Disposal::gone; }
    Disposal RemoveTemporaryCopies(const std::function<bool(const std::string&)>&) override { return Disposal::gone; }
    std::vector<std::pair<std::string, std::string>> LoggedFiles(const std::string& group) override
    {
        return log[group];
    }
    void ClearReadOnly(const std::string&) override {}
    Disposal DeleteInstalledFile(const std::string& path) override
    {
        std::string::size_type cut = path.find_last_of('\\');
        if (cut == std::string::npos || !MayLose(path.substr(0, cut + 1)) || !IsPlainName(path.substr(cut + 1)))
            std::abort();
        // Every other file goes at the next start, so that directories are arranged to follow.
        return path.size() % 2 ? Disposal::atRestart : Disposal::gone;
    }
    void DeleteSettingsFile() override {}
    Disposal RemoveEmptyDirectory(const std::string& path) override
    {
        if (!MayLose(path))
            std::abort();
        return Disposal::kept;
    }
    bool RemoveDirectoryAtRestart(const std::string& path) override
    {
        if (!MayLose(path))
            std::abort();
        return true;
    }
    void DeleteLog() override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CDestinationStore destinations(kUninstaller, kWindows, kSystem, kTemporary);
    destinations.SetNameAndParent(0, "Kalmora", -1);
    destinations.SetDirectory(0, kUninstaller);
    destinations.SetNameAndParent(1, "Samples", 0);
    destinations.SetDirectory(1, "C:\\KALMORA\\SAMPLES\\");
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
            ManifestValue value(line.substr(equal + 1));
            int number = static_cast<int>(ManifestValue::ToNumber(line.substr(0, equal)));
            // No parent among Setup's fixed destinations: then nothing of the product may lie
            // within Windows' directories, and the oracle can say so without knowing the rules.
            int parent = static_cast<int>(value.Number(1, -1));
            destinations.SetNameAndParent(number, value.Text(0), parent < -1 ? -1 : parent);
            destinations.SetDirectory(number, value.Text(2));
        } else {
            actions.log[group].emplace_back(line.substr(0, equal), line.substr(equal + 1));
        }
    }
    CRemovalScope scope({kUninstaller, std::string(kUninstaller) + "unsetup.exe", kWindows, kSystem, kTemporary},
                        ExpandShortNames);
    CRemoval removal(destinations, groups, targets, actions, scope);
    removal.Run();
    return 0;
}
