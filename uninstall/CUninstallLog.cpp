#include "uninstall/CUninstallLog.h"

#include <windows.h>

#include "uninstall/LogRecords.h"

void CUninstallLog::Write(const std::string& section, const std::string& key, const std::string& value) const
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str());
}

void CUninstallLog::WriteProgramFolder(const std::string& folder) const
{
    Write(LogRecords::kProgramFolderSection, LogRecords::kProgramFolderKey, folder);
}

void CUninstallLog::WriteFile(const std::string& group, const std::string& fileName,
                              unsigned destinationId, bool installedNow, bool replacedExisting) const
{
    Write(group, fileName, LogRecords::FileRecord(destinationId, installedNow, replacedExisting));
}

void CUninstallLog::WriteStores(const CDestinationStore& destinations, const CGroupStore& groups,
                                const CTargetStore& targets) const
{
    for (const auto& [number, destination] : destinations.All())
        if (number >= 0)
            Write(LogRecords::kDestinationsSection, std::to_string(number),
                  LogRecords::DestinationRecord(destination));
    for (const auto& [name, group] : groups.All())
        Write(LogRecords::kGroupsSection, name, LogRecords::GroupRecord(group));
    for (const auto& [name, target] : targets.All())
        Write(LogRecords::kTargetsSection, name, LogRecords::TargetRecord(target));
}
