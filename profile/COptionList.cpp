#include "profile/COptionList.h"

#include <algorithm>

void COptionList::AddOptionFromSection(const CIniSection& section)
{
    COption option;
    option.FillFromSection(section);
    Insert(std::move(option));
}

void COptionList::Insert(COption option)
{
    // Before the first option with a greater number (std::string compares bytes as unsigned).
    auto before = std::upper_bound(options.begin(), options.end(), option,
                                   [](const COption& a, const COption& b) {
                                       return a.OptionNumber() < b.OptionNumber();
                                   });
    options.insert(before, std::move(option));
}
