#include "integration/CRegistryRecord.h"

#include "integration/CRegEntry.h"
#include "integration/RegistryLog.h"
#include "uninstall/ILogWriter.h"

namespace {
bool Holds(const std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& known : names)
        if (EqualsIgnoreCase(known, name))
            return true;
    return false;
}
}  // namespace

CRegistryRecord::KeyValues::iterator CRegistryRecord::Known(const std::string& path)
{
    auto key = created_.find(path);
    if (key != created_.end() || !log_)
        return key;
    const std::string* line = log_->Find(RegistryLog::kSection, path);
    if (!line)
        return created_.end();
    return created_.emplace(path, RegistryLog::ValueNames(*line)).first;
}

void CRegistryRecord::KeyCreated(const std::string& path, const CRegEntry& entry)
{
    Known(path);
    std::vector<std::string>& values = created_[path];
    if (EqualsIgnoreCase(path, entry.KeyPath()) && !Holds(values, entry.valueName))
        values.push_back(entry.valueName);
    Write(path, values);
}

void CRegistryRecord::ValueWritten(const CRegEntry& entry)
{
    auto key = Known(entry.KeyPath());
    if (key == created_.end() || Holds(key->second, entry.valueName))
        return;
    key->second.push_back(entry.valueName);
    Write(key->first, key->second);
}

void CRegistryRecord::Write(const std::string& path, const std::vector<std::string>& values) const
{
    if (log_)
        log_->Write(RegistryLog::kSection, path, RegistryLog::KeyLine(values));
}

std::string CRegistryRecord::Line(const std::string& path) const
{
    auto key = created_.find(path);
    return key == created_.end() ? std::string() : RegistryLog::KeyLine(key->second);
}
