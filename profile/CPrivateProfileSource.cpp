#include "profile/CPrivateProfileSource.h"

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
