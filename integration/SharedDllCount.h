#pragma once
// The reference counts that Windows keeps for DLLs shared by several products, and the decisions
// that Setup and Unsetup take on them. Portable: the registry and file work is the caller's.
#include <cstdint>
#include <optional>
#include <string>

namespace SharedDllCount {

inline const char kKeyPath[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
inline const char kLogSection[] = "SharedDll";

// The count a value holds: a REG_DWORD's four bytes, low byte first; a text (another
// installer's) as its decimal number. Anything unreadable counts as no value at all.
std::optional<std::uint32_t> Read(std::uint32_t valueType, const std::string& bytes);

// Setup's new count: 1 for a DLL without one, otherwise one more (never wrapping to 0).
std::uint32_t Incremented(std::optional<std::uint32_t> stored);

// What Unsetup does with one logged DLL.
enum class Removal {
    keepCount,       // others still use it: store the lowered count
    askThenDelete,   // unused, in the Windows or system directory: delete only if the user agrees
    delete_,         // unused, elsewhere: delete without asking
};

struct Decision {
    Removal removal;
    // The count to store when the DLL stays (after No, or while in use): never below 0, since a
    // stored -1 would read as 4294967295 at the next installation.
    std::uint32_t countToKeep;
};

// A missing count counts as 0, so the DLL is unused. Directories compare without regard to case
// and to a trailing backslash.
Decision DecideRemoval(std::optional<std::uint32_t> stored, const std::string& dllPath,
                       const std::string& windowsDirectory, const std::string& systemDirectory);

// "#" and the number in decimal: the form of the count in the profile's data and in the log.
std::string DataText(std::uint32_t count);

// The file name and extension of a DLL path, as the question names it.
std::string FileNameOf(const std::string& dllPath);

}  // namespace SharedDllCount
