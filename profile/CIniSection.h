#pragma once
// One section of the profile: its name as written and its keys in file order.
#include <string>
#include <vector>

#include "profile/CIniKey.h"

class CIniSection {
public:
    explicit CIniSection(std::string name = {}) : name(std::move(name)) {}

    const std::string& Name() const { return name; }
    const std::vector<CIniKey>& Keys() const { return keys; }
    void AddKey(CIniKey key) { keys.push_back(std::move(key)); }
    CIniKey* LastKey() { return keys.empty() ? nullptr : &keys.back(); }

private:
    std::string name;
    std::vector<CIniKey> keys;
};
