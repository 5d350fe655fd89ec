#include "integration/CRegEntry.h"

#include "framework/TextCompare.h"
#include "profile/CIniSection.h"
#include "profile/MacroExpansion.h"
#include "profile/ProfileText.h"

RegistryRoot RegistryRootFromName(const std::string& name)
{
    static const struct {
        const char* name;
        RegistryRoot root;
    } kRoots[] = {
        {"HKEY_CLASSES_ROOT", RegistryRoot::classesRoot},
        {"HKEY_CURRENT_USER", RegistryRoot::currentUser},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::localMachine},
        {"HKEY_USERS", RegistryRoot::users},
    };
    for (const auto& known : kRoots)
        if (EqualsIgnoreCase(name, known.name))
            return known.root;
    return RegistryRoot::none;
}

std::vector<std::string> SplitRegistryPath(const std::string& path)
{
    std::vector<std::string> components;
    std::string::size_type start = 0;
    while (start <= path.size()) {
        std::string::size_type end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        // The root keeps its place even when the path starts with a backslash.
        if (end > start || components.empty())
            components.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return components;
}

CRegEntry::CRegEntry(const CRegEntry& other)
{
    CopyFieldsFrom(other);
}

CRegEntry& CRegEntry::operator=(const CRegEntry& other)
{
    if (this != &other) {
        CloseKeys();
        CopyFieldsFrom(other);
    }
    return *this;
}

CRegEntry::~CRegEntry()
{
    CloseKeys();
}

void CRegEntry::CopyFieldsFrom(const CRegEntry& other)
{
    selected = other.selected;
    option = other.option;
    root = other.root;
    parentKey = nullptr;
    currentKey = nullptr;
    rootName = other.rootName;
    reserved = other.reserved;
    className = other.className;
    valueType = other.valueType;
    createOptions = other.createOptions;
    access = other.access;
    valueName = other.valueName;
    data = other.data;
    queriedSize = other.queriedSize;
    path = other.path;
    components = other.components;
}

void CRegEntry::Set(const std::string& newPath, const std::string& newValueName, const std::string& newData,
                    const std::string& newOption, const std::string& newClassName,
                    std::uint32_t newCreateOptions, std::uint32_t newAccess)
{
    CloseKeys();
    path = newPath;
    valueName = newValueName;
    data = newData;
    option = newOption;
    className = newClassName;
    createOptions = newCreateOptions;
    access = newAccess;
    // Otherwise the type stays: a reused entry keeps the type of its last query.
    if (!data.empty() && data[0] == kDwordMark)
        valueType = kTypeDword;
    components = SplitRegistryPath(path);
    rootName = components.front();
    root = RegistryRootFromName(rootName);
}

void CRegEntry::Load(const CIniSection& section)
{
    std::string keyPath, name, text, selection;
    for (const CIniKey& key : section.Keys()) {
        const std::string* value = key.FirstValue();
        if (!value)
            continue;
        if (EqualsIgnoreCase(key.Name(), "key"))
            keyPath = *value;
        else if (EqualsIgnoreCase(key.Name(), "name"))
            name = *value;
        else if (EqualsIgnoreCase(key.Name(), "data"))
            text = *value;
        else if (EqualsIgnoreCase(key.Name(), "option"))
            selection = *value;
    }
    Set(keyPath, name, text, selection);
}

void CRegEntry::ExpandMacros(const std::vector<std::string>& names, const std::vector<std::string>& values)
{
    data = ::ExpandMacros(data, names, values);
}

void CRegEntry::SelectByOption(const std::string& selectionKey)
{
    if (option == selectionKey || option == kAlwaysOption)
        selected = 1;
}

std::string CRegEntry::KeyPath() const
{
    std::string joined;
    for (const std::string& component : components)
        joined += (joined.empty() ? "" : "\\") + component;
    return joined;
}

std::uint32_t CRegEntry::DwordFromData(const std::string& text)
{
    std::string digits = !text.empty() && text[0] == kDwordMark ? text.substr(1) : text;
    return static_cast<std::uint32_t>(TextToInt32(digits));
}
