#pragma once
// What the registry tests read and clean up directly, beside the classes under test: key trees,
// values as the registry stores them, a scratch log file and its sections.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

inline void DeleteKeyTree(HKEY root, const std::string& subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char child[256];
    for (;;) {
        DWORD length = sizeof child;
        if (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DeleteKeyTree(key, child);
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, subkey.c_str());
}

inline bool KeyExists(HKEY root, const std::string& subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct StoredValue {
    DWORD type = 0;
    std::string bytes;  // as stored: a string with its terminating zero, a DWORD's four bytes
};

inline std::optional<StoredValue> ReadValue(HKEY root, const std::string& subkey, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    StoredValue value;
    value.bytes.assign(8192, '\0');
    DWORD size = static_cast<DWORD>(value.bytes.size());
    LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                   reinterpret_cast<BYTE*>(&value.bytes[0]), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

inline DWORD DwordOf(const StoredValue& value)
{
    DWORD number = 0;
    if (value.bytes.size() == sizeof number)
        memcpy(&number, value.bytes.data(), sizeof number);
    return number;
}

inline void WriteDword(HKEY root, const std::string& subkey, const std::string& name, DWORD number)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
}

// A file name in the temporary directory that nothing holds yet; the file goes with the object.
class ScratchFile {
public:
    explicit ScratchFile(const char* prefix)
    {
        char directory[MAX_PATH] = {};
        char name[MAX_PATH] = {};
        GetTempPathA(sizeof directory, directory);
        GetTempFileNameA(directory, prefix, 0, name);
        path_ = name;
    }
    ~ScratchFile()
    {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path_.c_str());
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The keys and values of a section of an INI file, in file order.
inline std::vector<std::pair<std::string, std::string>> IniSection(const std::string& file, const char* section)
{
    std::vector<char> buffer(32768);
    DWORD length = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::pair<std::string, std::string>> lines;
    for (const char* line = buffer.data(); line < buffer.data() + length && *line; line += strlen(line) + 1) {
        std::string text(line);
        std::string::size_type equals = text.find('=');
        lines.emplace_back(text.substr(0, equals), equals == std::string::npos ? "" : text.substr(equals + 1));
    }
    return lines;
}
