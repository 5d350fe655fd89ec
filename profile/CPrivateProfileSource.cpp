#include "profile/CPrivateProfileSource.h"

#include <windows.h>

#include "profile/CIniEntry.h"

namespace {
constexpr DWORD kFirstSectionBuffer = 32 * 1024;
constexpr DWORD kLargestSectionBuffer = 64 * 1024 * 1024;
}

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

std::vector<std::pair<std::string, std::string>> CPrivateProfileSource::Entries(const std::string& section) const
{
    // "key=value" lines, each ended by a zero; a section that does not fit is read again into a
    // larger buffer.
    std::string text;
    for (DWORD size = kFirstSectionBuffer; size <= kLargestSectionBuffer; size *= 4) {
        text.assign(size, '\0');
        DWORD length = GetPrivateProfileSectionA(section.c_str(), &text[0], size, path_.c_str());
        if (length < size - 2) {
            text.resize(length);
            break;
        }
        text.clear();
    }
    std::vector<std::pair<std::string, std::string>> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\0', start);
        if (end == std::string::npos)
            end = text.size();
        std::size_t equal = text.find('=', start);
        if (equal < end)
            entries.emplace_back(text.substr(start, equal - start), text.substr(equal + 1, end - equal - 1));
        start = end + 1;
    }
    return entries;
}
