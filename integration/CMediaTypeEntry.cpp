#include "integration/CMediaTypeEntry.h"

#include "framework/TextCompare.h"
#include "profile/CIniSection.h"

namespace {
const char kClassesRoot[] = "HKEY_CLASSES_ROOT";
}

void CMediaTypeEntry::LoadNumbered(const CIniSection& section, int number, const std::string& dataText)
{
    const std::string fileKey = "file" + std::to_string(number);
    std::string keyPath = kClassesRoot;
    std::string selection;
    for (const CIniKey& key : section.Keys()) {
        const std::string* value = key.FirstValue();
        if (!value)
            continue;
        if (EqualsIgnoreCase(key.Name(), fileKey))
            keyPath = std::string(kClassesRoot) + "\\" + *value;
        else if (EqualsIgnoreCase(key.Name(), "option"))
            selection = *value;
    }
    Set(keyPath, "", dataText, selection);
}

void CMediaTypeList::SetNames(const std::string& shortName, const std::string& longName)
{
    shortName_ = shortName.substr(0, kMaxShortName);
    longName_ = longName.substr(0, kMaxLongName);
}

void CMediaTypeList::AddFromSection(const CIniSection& section, int count)
{
    for (int number = 1; number <= count; ++number) {
        auto entry = std::make_unique<CMediaTypeEntry>();
        entry->LoadNumbered(section, number, shortName_);
        Append(std::move(entry));
    }
}
