// The registry work of the entry lists, Setup's and Unsetup's.
#include "integration/CRegEntryList.h"

#include <windows.h>

#include <algorithm>

#include "framework/RunReport.h"
#include "framework/Win32Helpers.h"
#include "integration/RegistryLog.h"
#include "profile/CPrivateProfileSource.h"

namespace {
// Deletes the key that `entry` has opened; true when it is gone.
bool DeleteOpenedKey(CRegEntry& entry)
{
    LONG status = entry.DeleteLastKey();
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
}  // namespace

void CRegEntryList::ApplySelected(CRegistryRecord& record)
{
    for (const auto& entry : Entries()) {
        if (!entry->selected)
            continue;
        long status = entry->Create(&record);
        if (status == ERROR_SUCCESS) {
            record.ValueWritten(*entry);
            std::string before = RunReport::IsOn() ? entry->CurrentValueText() : std::string();
            std::string after = RunReport::IsOn() ? entry->DataText() : std::string();
            status = entry->SetValue();
            if (RunReport::IsOn())
                RunReport::Say("registry " + entry->KeyPath() + " value \"" + entry->valueName + "\": " + before +
                               " -> " + after + (status == ERROR_SUCCESS ? "" : ": not written, " + SystemErrorText(status)));
        } else {
            RunReport::Say("registry key " + entry->KeyPath() + ": cannot be opened or created, " + SystemErrorText(status));
        }
        entry->CloseKeys();
    }
}

bool CRegEntryList::DeleteRemovalKeys()
{
    std::vector<std::string> paths;
    for (const auto& entry : Entries())
        if (entry->option == CRegEntry::kRemovalOption)
            paths.push_back(entry->KeyPath());
    // The deepest first, whatever the profile's order: a key is only deleted once it is empty.
    auto depth = [](const std::string& path) { return std::count(path.begin(), path.end(), '\\'); };
    std::stable_sort(paths.begin(), paths.end(),
                     [&](const std::string& a, const std::string& b) { return depth(a) > depth(b); });
    bool allGone = true;
    CRegEntry scratch;
    for (const std::string& path : paths) {
        scratch.Set(path, "", "", CRegEntry::kInternalOption);
        if (scratch.components.size() < 2 || scratch.Open() != ERROR_SUCCESS)
            continue;
        bool holdsAnother = std::any_of(paths.begin(), paths.end(),
                                        [&](const std::string& other) { return RegistryLog::IsBelow(other, path); });
        std::optional<std::vector<std::string>> values = scratch.ValueNames();
        long valueCount = values ? static_cast<long>(values->size()) : -1;
        if (RegistryLog::MayDeleteRemovalKey(scratch.CountSubkeys(), valueCount, holdsAnother)) {
            bool gone = DeleteOpenedKey(scratch);
            RunReport::Say("registry key " + path + (gone ? ": deleted" : ": stays, it could not be deleted"));
            allGone = gone && allGone;
        } else {
            RunReport::Say("registry key " + path + ": kept, it holds subkeys or values of others");
        }
        scratch.CloseKeys();
    }
    return allGone;
}

bool RemoveLoggedKeys(const std::string& logPath)
{
    std::vector<std::pair<std::string, std::string>> keys = CPrivateProfileSource(logPath).Entries(RegistryLog::kSection);
    bool allGone = true;
    CRegEntry scratch;
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        scratch.Set(key->first, "", "", CRegEntry::kInternalOption);
        if (scratch.Open() != ERROR_SUCCESS)
            continue;
        if (RegistryLog::MayDeleteCreatedKey(scratch.CountSubkeys(), scratch.ValueNames(),
                                             RegistryLog::ValueNames(key->second))) {
            bool gone = DeleteOpenedKey(scratch);
            RunReport::Say("registry key " + key->first + (gone ? ": deleted" : ": stays, it could not be deleted"));
            allGone = gone && allGone;
        } else {
            RunReport::Say("registry key " + key->first + ": kept, it holds subkeys or values that Setup did not write");
        }
        scratch.CloseKeys();
    }
    return allGone;
}
