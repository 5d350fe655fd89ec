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
// "1" when Setup made the Program Manager group itself: then Unsetup may delete it.
constexpr char kProgramFolderCreatedKey[] = "created";
constexpr char kDestinationsSection[] = "destinations";
constexpr char kGroupsSection[] = "groups";
constexpr char kTargetsSection[] = "targets";
constexpr char kRegistrySection[] = "Registry";
constexpr char kSharedDllSection[] = "SharedDll";

// Whether a name, written as a key, reads back as the same name: the INI syntax splits a line at
// its first "=", drops blanks in front, and takes a line starting with ";" for a comment and one
// starting with "[" for a section.
bool ReadsBackAsKey(const std::string& name);

// An installed file: destination number, newly placed, replaced an existing copy.
std::string FileRecord(unsigned destinationId, bool installedNow, bool replacedExisting);
std::string DestinationRecord(const CDestination& destination);
std::string GroupRecord(const CGroup& group);
std::string TargetRecord(const CShortcutTarget& target);
}
