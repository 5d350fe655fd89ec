#include "integration/CSharedDllEntry.h"

#include "framework/TextCompare.h"
#include "integration/SharedDllCount.h"
#include "profile/CIniSection.h"
#include "profile/MacroExpansion.h"

CSharedDllEntry::CSharedDllEntry() : countKeyPath(SharedDllCount::kKeyPath)
{
}

void CSharedDllEntry::Load(const CIniSection& section)
{
    std::string name, selection;
    for (const CIniKey& key : section.Keys()) {
        const std::string* value = key.FirstValue();
        if (!value)
            continue;
        if (EqualsIgnoreCase(key.Name(), "name"))
            name = *value;
        else if (EqualsIgnoreCase(key.Name(), "option"))
            selection = *value;
    }
    Set(countKeyPath, name, SharedDllCount::DataText(1), selection);
}

void CSharedDllEntry::ExpandMacros(const std::vector<std::string>& names, const std::vector<std::string>& values)
{
    valueName = ::ExpandMacros(valueName, names, values);
}
