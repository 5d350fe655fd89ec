#include "profile/CIniEntry.h"

#include <windows.h>

#include <vector>

CIniEntry::CIniEntry(const std::string& defaultValue, const std::string& sectionName,
                     const std::string& keyName, bool loadNow, const std::string& path)
    : section(sectionName), key(keyName), file(path), value(defaultValue)
{
    if (loadNow && !section.empty() && !key.empty())
        Read();
}

void CIniEntry::SetNames(const std::string& sectionName, const std::string& keyName,
                         const std::string& path)
{
    section = sectionName;
    key = keyName;
    file = path;
}

bool CIniEntry::Read()
{
    char buffer[256] = {};
    DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), buffer,
                                           sizeof buffer - 1, file.c_str());
    value = readValue = std::string(buffer, count);
    return count > 0;
}

bool CIniEntry::Write()
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

CIniSectionEnumerator::CIniSectionEnumerator(const std::string& section, const std::string& file)
    : file_(file), section_(section)
{
}

bool CIniSectionEnumerator::First(CIniEntry& entry)
{
    DWORD size = 256;
    for (;;) {
        std::vector<char> buffer(size);
        DWORD count = GetPrivateProfileStringA(section_.c_str(), nullptr, "", buffer.data(), size,
                                               file_.c_str());
        if (count < size - 2 || size >= (1u << 24)) {
            buffer_.assign(buffer.data(), count);
            break;
        }
        size *= 2;
    }
    buffer_.push_back('\0');
    cursor_ = 0;
    loaded_ = true;
    return HandOut(entry);
}

bool CIniSectionEnumerator::Next(CIniEntry& entry)
{
    return loaded_ && HandOut(entry);
}

bool CIniSectionEnumerator::HandOut(CIniEntry& entry)
{
    if (cursor_ >= buffer_.size() || buffer_[cursor_] == '\0') {
        buffer_.clear();
        loaded_ = false;
        return false;
    }
    size_t end = buffer_.find('\0', cursor_);
    entry.SetNames(section_, buffer_.substr(cursor_, end - cursor_), file_);
    cursor_ = end + 1;
    return true;
}
