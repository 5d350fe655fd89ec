#pragma once
// The reference counts that Windows keeps for DLLs shared by several products, and the decisions
// that Setup and Unsetup take on them. Portable: the registry and file work is the caller's.
#include <cstdint>
#include <optional>
#include <string>

namespace SharedDllCount {

inline const char kKeyPath[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
inline const char kLogSection[] = "SharedDll";

// The highest count: counts are signed 32-bit numbers to the other programs that keep them.
inline constexpr std::uint32_t kMaxCount = 0x7FFFFFFF;

// The count a value holds: a REG_DWORD's four bytes, low byte first; a text (another
// installer's) as its decimal number. Anything unreadable, and any number above kMaxCount (a
// negative count to those programs), counts as no value at all.
std::optional<std::uint32_t> Read(std::uint32_t valueType, const std::string& bytes);

// Setup's new count: 1 for a DLL without one, otherwise one more, at most kMaxCount.
std::uint32_t Incremented(std::optional<std::uint32_t> stored);

// What the SharedDLLs key holds for a DLL, as Unsetup reads it. Only "no such value" (or no such
// key) is missing; a value or key that could not be read, or a count that is no count, is not.
enum class CountState { missing, present, unreadable };

// What Unsetup does with one logged DLL.
enum class Removal {
    skip,            // neither count nor file is touched
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

// A missing count counts as 0, so the DLL is unused; but then only a file that the product
// installed (installedByProduct) is acted on, never one that a damaged log names. A count that
// cannot be read keeps everything. Directories compare without regard to case and to a trailing
// backslash. A log names the DLLs, so only a full path in a directory (never a relative name,
// nor a file in a drive root) is ever acted on.
Decision DecideRemoval(CountState state, std::uint32_t count, bool installedByProduct, const std::string& dllPath,
                       const std::string& windowsDirectory, const std::string& systemDirectory);

// "#" and the number in decimal: the form of the count in the profile's data and in the log.
std::string DataText(std::uint32_t count);

// The file name and extension of a DLL path, as the question names it.
std::string FileNameOf(const std::string& dllPath);

}  // namespace SharedDllCount
