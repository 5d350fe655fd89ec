#include "integration/CRegEntryList.h"

CRegEntryList::CRegEntryList(const CRegEntryList& other)
{
    *this = other;
}

CRegEntryList& CRegEntryList::operator=(const CRegEntryList& other)
{
    if (this == &other)
        return *this;
    entries_.clear();
    for (const auto& entry : other.entries_)
        entries_.emplace_back(entry->Clone());
    return *this;
}

void CRegEntryList::AddFromSection(const CIniSection& section)
{
    std::unique_ptr<CRegEntry> entry = NewEntry();
    entry->Load(section);
    Append(std::move(entry));
}

void CRegEntryList::ExpandMacros(const std::vector<std::string>& names, const std::vector<std::string>& values)
{
    for (const auto& entry : entries_)
        entry->ExpandMacros(names, values);
}

void CRegEntryList::SelectByOption(const std::string& selectionKey)
{
    for (const auto& entry : entries_)
        entry->SelectByOption(selectionKey);
}
