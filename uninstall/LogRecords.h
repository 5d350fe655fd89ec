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
// The shared DLLs that file installation placed, by full path, written before each is copied:
// their counts are raised only after copying, and a run that stopped in between leaves files
// that no count names. Unsetup deletes such a file when nobody counts it.
constexpr char kSharedFileSection[] = "Shared files";
// The temporary copies of files while they exist, by full path: whoever comes after a run that
// stopped removes them. "1" while it is being written; a copy that waits for the next start of
// Windows to take its file's place is "restart".
constexpr char kTemporarySection[] = "Temporary";
constexpr char kTemporaryNow[] = "1";
constexpr char kTemporaryAtRestart[] = "restart";

// Whether a name, written as a key, reads back as the same name: the INI syntax splits a line at
// its first "=", drops blanks in front, and takes a line starting with ";" for a comment and one
// starting with "[" for a section.
bool ReadsBackAsKey(const std::string& name);

// Whether a path that the log's "Temporary" section names is one of Setup's temporary copies: a
// full path whose name is eight lowercase hexadecimal digits and an extension. Nothing else is
// deleted for that section's sake, whatever a damaged log says.
bool IsTemporaryCopy(const std::string& path);

// An installed file: destination number, newly placed, replaced an existing copy.
std::string FileRecord(unsigned destinationId, bool installedNow, bool replacedExisting);
std::string DestinationRecord(const CDestination& destination);
std::string GroupRecord(const CGroup& group);
std::string TargetRecord(const CShortcutTarget& target);
}
