#pragma once
// The values of the uninstall log "kmwin4.log", as text. The log is a plain INI file; values with
// several fields separate them with "|".
#include <string>

#include "profile/CDestinationStore.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"

namespace LogRecords {
constexpr char kFileName[] = "kmwin4.log";
constexpr char kProgramFolderSection[] = "PMGroup";
constexpr char kProgramFolderKey[] = "pmgroup";
constexpr char kDestinationsSection[] = "destinations";
constexpr char kGroupsSection[] = "groups";
constexpr char kTargetsSection[] = "targets";
constexpr char kRegistrySection[] = "Registry";
constexpr char kSharedDllSection[] = "SharedDll";

// An installed file: destination number, newly placed, replaced an existing copy.
std::string FileRecord(unsigned destinationId, bool installedNow, bool replacedExisting);
std::string DestinationRecord(const CDestination& destination);
std::string GroupRecord(const CGroup& group);
std::string TargetRecord(const CShortcutTarget& target);
}
