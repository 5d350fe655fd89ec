// The registry calls of CRegEntry.
#include "integration/CRegEntry.h"

#include <windows.h>

#include <cstring>

#include "framework/RunReport.h"
#include "framework/Win32Helpers.h"
#include "integration/CRegistryRecord.h"


namespace {
// Values up to this size are read in one call; longer ones in a second call of their own size.
constexpr DWORD kQueryBufferSize = 1000;

HKEY RootHandle(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::classesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::currentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::localMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::users: return HKEY_USERS;
    case RegistryRoot::none: break;
    }
    return nullptr;
}

bool IsPredefined(HKEY key)
{
    return reinterpret_cast<ULONG_PTR>(key) >= 0x80000000u;
}

// Closes a key that a walk opened; the predefined roots are never closed.
void Release(RegistryHandle& handle)
{
    HKEY key = static_cast<HKEY>(handle);
    if (key && !IsPredefined(key))
        RegCloseKey(key);
    handle = nullptr;
}

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}
}

void CRegEntry::CloseKeys()
{
    Release(currentKey);
    Release(parentKey);
}

long CRegEntry::Walk(bool create, CRegistryRecord* record)
{
    CloseKeys();
    HKEY key = RootHandle(root);
    if (!key || components.size() < 2)
        return ERROR_INVALID_HANDLE;
    std::string runningPath = components[0];
    for (std::size_t level = 1; level < components.size(); ++level) {
        const std::string& name = components[level];
        runningPath += "\\" + name;
        HKEY next = nullptr;
        LONG status = RegOpenKeyExA(key, name.c_str(), 0, access, &next);
        if (create && status != ERROR_SUCCESS) {
            // A key that this walk brings into existence is recorded before it exists: whenever
            // Setup stops, the log names everything it made.
            if (record && status == ERROR_FILE_NOT_FOUND)
                record->KeyCreated(runningPath, *this);
            DWORD disposition = 0;
            status = RegCreateKeyExA(key, name.c_str(), reserved, className.empty() ? nullptr : &className[0],
                                     createOptions, access, nullptr, &next, &disposition);
            if (status == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY)
                RunReport::Say("registry key " + runningPath + ": created");
        }
        if (status != ERROR_SUCCESS) {
            // The value must never land in the last level that did open.
            CloseKeys();
            return status;
        }
        // The key of the level above becomes the parent; the one above that is done with.
        Release(parentKey);
        parentKey = key;
        currentKey = next;
        key = next;
    }
    return ERROR_SUCCESS;
}

long CRegEntry::Create(CRegistryRecord* record)
{
    return Walk(true, record);
}

long CRegEntry::Open()
{
    return Walk(false, nullptr);
}

long CRegEntry::SetValue()
{
    HKEY key = static_cast<HKEY>(currentKey);
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (valueType == kTypeDword) {
        DWORD number = DwordFromData(data);
        // The entry keeps its text without the mark; only the mark goes, so that writing the
        // entry again writes the same number.
        if (!data.empty() && data[0] == kDwordMark)
            data.erase(0, 1);
        return RegSetValueExA(key, valueName.c_str(), reserved, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                              sizeof number);
    }
    // A string is stored with its terminating zero, as every reader of the registry expects.
    return RegSetValueExA(key, valueName.c_str(), reserved, valueType, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1));
}

long CRegEntry::QueryValue()
{
    HKEY key = static_cast<HKEY>(currentKey);
    if (!key)
        return ERROR_INVALID_HANDLE;
    std::string buffer(kQueryBufferSize, '\0');
    DWORD type = 0;
    DWORD size = kQueryBufferSize;
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size);
    if (status == ERROR_MORE_DATA) {
        buffer.assign(size, '\0');
        status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size);
    }
    if (status != ERROR_SUCCESS)
        return status;
    buffer.resize(size);
    queriedSize = size;
    valueType = type;
    if (IsStringType(type))
        buffer.resize(std::strlen(buffer.c_str()));
    data = buffer;
    return ERROR_SUCCESS;
}

std::string CRegEntry::CurrentValueText() const
{
    HKEY key = static_cast<HKEY>(currentKey);
    DWORD type = 0;
    DWORD size = 0;
    if (!key || RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return "(none)";
    std::string buffer(size + 1, '\0');
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size) != ERROR_SUCCESS)
        return "(unreadable)";
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, buffer.data(), sizeof number);
        return std::to_string(number);
    }
    if (IsStringType(type))
        return "\"" + std::string(buffer.c_str()) + "\"";
    return "(" + std::to_string(size) + " bytes of type " + std::to_string(type) + ")";
}

std::string CRegEntry::DataText() const
{
    if (valueType == kTypeDword)
        return std::to_string(DwordFromData(data));
    return "\"" + data + "\"";
}

long CRegEntry::DeleteValue()
{
    HKEY key = static_cast<HKEY>(currentKey);
    return key ? RegDeleteValueA(key, valueName.c_str()) : ERROR_INVALID_HANDLE;
}

long CRegEntry::DeleteLastKey()
{
    Release(currentKey);
    HKEY parent = static_cast<HKEY>(parentKey);
    if (!parent || components.size() < 2) {
        Release(parentKey);
        return ERROR_INVALID_HANDLE;
    }
    LONG status = RegDeleteKeyA(parent, components.back().c_str());
    if (status == ERROR_SUCCESS)
        components.pop_back();
    Release(parentKey);
    return status;
}

long CRegEntry::DeleteKey()
{
    LONG status = Open();
    if (status != ERROR_SUCCESS)
        return status;
    Release(currentKey);
    status = RegDeleteKeyA(static_cast<HKEY>(parentKey), components.back().c_str());
    Release(parentKey);
    return status;
}

long CRegEntry::CountSubkeys() const
{
    HKEY key = static_cast<HKEY>(currentKey);
    DWORD subkeys = 0;
    if (!key || RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return -1;
    return static_cast<long>(subkeys);
}

std::optional<std::vector<std::string>> CRegEntry::ValueNames() const
{
    HKEY key = static_cast<HKEY>(currentKey);
    DWORD count = 0;
    DWORD longest = 0;
    if (!key || RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest,
                                 nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<std::string> names;
    // A name's length as the count reports it may be that of its wide form: room for both.
    std::string name(2 * longest + 2, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        LONG status = RegEnumValueA(key, index, &name[0], &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            return names;
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        names.emplace_back(name.data(), length);
    }
}
