#pragma once
// All options of the profile, ordered by option number compared as text, byte by byte ("10"
// before "2"); options with equal numbers keep their file order. Copies are deep.
#include <vector>

#include "profile/COption.h"

class CIniSection;

class COptionList {
public:
    // Makes one option from an "Option" section and inserts it in order.
    void AddOptionFromSection(const CIniSection& section);
    void Insert(COption option);

    const std::vector<COption>& Options() const { return options; }
    std::vector<COption>& Options() { return options; }

private:
    std::vector<COption> options;
};
