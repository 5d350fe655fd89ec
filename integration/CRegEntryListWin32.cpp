// The registry work of the entry lists, Setup's and Unsetup's.
#include "integration/CRegEntryList.h"

#include "profile/CPrivateProfileSource.h"

void CRegEntryList::ApplySelected(const std::string& logPath)
{
    for (const auto& entry : Entries()) {
        if (!entry->selected)
            continue;
        entry->Create(&logPath);
        entry->SetValue();
        entry->CloseKeys();
    }
}

void CRegEntryList::DeleteRemovalKeys()
{
    for (const auto& entry : Entries())
        if (entry->option == CRegEntry::kRemovalOption)
            entry->DeleteKey();
}

void RemoveLoggedKeys(const std::string& logPath)
{
    std::vector<std::string> keys = CPrivateProfileSource(logPath).KeyNames(CRegEntry::kLogSection);
    CRegEntry scratch;
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        scratch.Set(*key, "", "", CRegEntry::kInternalOption);
        if (scratch.Open() != 0)
            continue;
        if (scratch.CountSubkeys() == 0)
            scratch.DeleteLastKey();
        scratch.CloseKeys();
    }
}
