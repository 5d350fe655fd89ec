#pragma once
// The parsed profile: every section in file order, repeated names included. The store knows
// nothing of what the sections mean.
#include <string>
#include <vector>

#include "profile/CIniSection.h"

class CIniFile {
public:
    explicit CIniFile(std::string name = {}) : name(std::move(name)) {}

    // The path of the top profile file.
    const std::string& Name() const { return name; }
    const std::vector<CIniSection>& Sections() const { return sections; }

    void AddSection(CIniSection section) { sections.push_back(std::move(section)); }
    // Appends to the last section; without a section there is nothing to append to.
    void AddKey(CIniKey key);
    // Appends to the last key of the last section.
    void AddValue(std::string value);
    void Clear() { sections.clear(); }

private:
    std::string name;
    std::vector<CIniSection> sections;
};
