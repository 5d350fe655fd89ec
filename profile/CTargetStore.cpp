#include "profile/CTargetStore.h"

CShortcutTarget& CTargetStore::Put(CShortcutTarget target)
{
    std::string key = target.fileName;
    CShortcutTarget& slot = targets_[key];
    slot = std::move(target);
    return slot;
}

CShortcutTarget* CTargetStore::Find(const std::string& fileName)
{
    auto it = targets_.find(fileName);
    return it == targets_.end() ? nullptr : &it->second;
}

void CTargetStore::UseInstalledPaths()
{
    for (auto& entry : targets_)
        if (!entry.second.installedPath.IsEmpty())
            entry.second.programPath = entry.second.installedPath;
}

void CTargetStore::TakeFilesFrom(const std::string& directory)
{
    for (auto& entry : targets_)
        entry.second.programPath = CFilePath(directory + entry.second.fileName);
}
