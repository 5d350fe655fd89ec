#include "profile/CPrivateProfileSource.h"

#include <windows.h>

#include "profile/CIniEntry.h"

std::vector<std::string> CPrivateProfileSource::KeyNames(const std::string& section) const
{
    std::vector<std::string> names;
    CIniSectionEnumerator enumerator(section, path_);
    CIniEntry entry;
    for (bool more = enumerator.First(entry); more; more = enumerator.Next(entry))
        names.push_back(entry.Key());
    return names;
}

std::string CPrivateProfileSource::Value(const std::string& section, const std::string& key) const
{
    CIniEntry entry("", section, key, true, path_);
    return entry.Value();
}

std::string CPrivateProfileSource::Value(const std::string& section, const std::string& key,
                                         const std::string& fallback, unsigned bufferSize) const
{
    std::string buffer(bufferSize, '\0');
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), &buffer[0], bufferSize,
                                            path_.c_str());
    buffer.resize(length);
    return buffer;
}
