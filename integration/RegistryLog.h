#pragma once
// The keys that Setup brings into existence, as the log's "Registry" section records them, and
// the rules by which Unsetup takes keys away again. A key goes only while it holds nothing of
// another program: Windows 95 deletes a key with everything below it, and a key that Setup once
// created may since have been filled by others (a file type claimed anew, a vendor key shared by
// the maker's other products). Portable: the registry calls are the caller's.
#include <optional>
#include <string>
#include <vector>

namespace RegistryLog {

constexpr char kSection[] = "Registry";
constexpr char kCreatedMark[] = "x";

// A created key's line: "x", then "|" and the name of each value that the product's entries wrote
// into it ("" is the key's default value). In a name, "%", "|" and what the INI file would not keep
// as it is (control characters, a blank at the end) are written as "%" and two hexadecimal digits.
std::string KeyLine(const std::vector<std::string>& valueNames);
// The value names of a key's line; none for a bare "x" (an older log) or a line of another form.
std::vector<std::string> ValueNames(const std::string& line);

// A key that the log names: deleted only when it has no subkeys and every value in it is one of
// the product's (names compared without regard to case). A count or list that could not be read
// (nullopt, or a negative count) keeps the key.
bool MayDeleteCreatedKey(long subkeys, const std::optional<std::vector<std::string>>& values,
                         const std::vector<std::string>& productValues);

// A key that the profile marks for removal ("-1"): never while it has subkeys. A key that holds
// another such key only stands on the way to it (a vendor's key above the product's): it goes
// only when it holds no values either. The product's own settings key goes with its values.
bool MayDeleteRemovalKey(long subkeys, long values, bool holdsAnotherRemovalKey);

// Whether key path `inner` lies below key path `outer` (backslash-separated, without regard to case).
bool IsBelow(const std::string& inner, const std::string& outer);

}  // namespace RegistryLog
