#pragma once
// One registry access of the installer: a key path below a predefined root, one value under that
// key, and the profile option that decides whether the entry is applied. Keys are opened or
// created one level at a time, so that the installer knows which keys it brought into existence.
//
// The text work (paths, data, profile sections, selection) is portable and lives in
// CRegEntry.cpp; the registry calls are the platform edge in CRegEntryWin32.cpp.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CIniSection;
class CRegistryRecord;

// An open registry key (an HKEY on Windows); null when none is open.
using RegistryHandle = void*;

enum class RegistryRoot { none, classesRoot, currentUser, localMachine, users };

// The root that a path's first component names, compared without regard to case; none for any
// other name.
RegistryRoot RegistryRootFromName(const std::string& name);

// A key path cut at its backslashes; runs of backslashes count as one and a trailing one gives
// no empty component. Element 0 is the root's name.
std::vector<std::string> SplitRegistryPath(const std::string& path);

class CRegEntry {
public:
    static constexpr std::uint32_t kTypeString = 1;   // REG_SZ
    static constexpr std::uint32_t kTypeDword = 4;    // REG_DWORD
    static constexpr std::uint32_t kKeyRead = 0x20019;
    static constexpr std::uint32_t kKeyAllAccess = 0xF003F;
    static constexpr char kDwordMark = '#';           // data "#12" is the REG_DWORD 12
    static constexpr const char* kAlwaysOption = "0";
    static constexpr const char* kRemovalOption = "-1";    // Unsetup deletes the key's last component
    static constexpr const char* kInternalOption = "-99";  // no selection key ever names it

    CRegEntry() = default;
    CRegEntry(const CRegEntry& other);
    CRegEntry& operator=(const CRegEntry& other);
    virtual ~CRegEntry();

    // Re-initialises the entry for a new path; closes whatever an earlier walk left open.
    void Set(const std::string& path, const std::string& valueName, const std::string& data,
             const std::string& option, const std::string& className = std::string(),
             std::uint32_t createOptions = 0, std::uint32_t access = kKeyAllAccess);
    // Fills the entry from one "Registry" section of the profile: "key", "name", "data", "option".
    virtual void Load(const CIniSection& section);
    virtual CRegEntry* Clone() const { return new CRegEntry(*this); }
    // Expands the profile's macros in the data; the path and the value name stay as written.
    virtual void ExpandMacros(const std::vector<std::string>& names, const std::vector<std::string>& values);
    // Marks the entry when its option is the selection key or "0"; never unmarks it.
    void SelectByOption(const std::string& selectionKey);

    // The registry calls; each returns the platform's status (0 = success).
    // Opens or creates every level below the root, stopping at the first that fails; with a
    // record, each key created anew goes into the log's "Registry" section.
    long Create(CRegistryRecord* record = nullptr);
    // The same walk with opening only: nothing is created or logged.
    long Open();
    long SetValue();
    long QueryValue();
    long DeleteValue();
    long DeleteLastKey();
    long DeleteKey();
    // Number of direct subkeys of the current key, or -1 when it cannot be told.
    long CountSubkeys() const;
    // The current key's value of this entry's name as the record of a run shows it: "(none)",
    // a quoted text or a number; the entry's own data stays as it is.
    std::string CurrentValueText() const;
    // The entry's data as the record shows what is written.
    std::string DataText() const;
    // The names of the current key's values; nullopt when they cannot be read.
    std::optional<std::vector<std::string>> ValueNames() const;
    void CloseKeys();

    // The components joined by single backslashes: the path by which the log names the key.
    std::string KeyPath() const;

    // The number a "#" data text stands for, converted as atol does (no digits give 0).
    static std::uint32_t DwordFromData(const std::string& data);

    int selected = 0;
    std::string option;
    RegistryRoot root = RegistryRoot::none;
    RegistryHandle parentKey = nullptr;
    RegistryHandle currentKey = nullptr;
    std::string rootName;
    std::uint32_t reserved = 0;
    std::string className;
    std::uint32_t valueType = kTypeString;
    std::uint32_t createOptions = 1;
    std::uint32_t access = kKeyRead;
    std::string valueName;
    std::string data;
    // Bytes that the last QueryValue reported, a string's terminating zero included.
    std::uint32_t queriedSize = 0;
    std::string path;
    std::vector<std::string> components;

protected:
    // Copies the fields, not the open keys: each entry closes only what it opened itself.
    void CopyFieldsFrom(const CRegEntry& other);

private:
    long Walk(bool create, CRegistryRecord* record);
};
