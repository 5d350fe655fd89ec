#pragma once
// Profile sections built in the tests, one value a key, in the order given.
#include <initializer_list>
#include <utility>

#include "profile/CIniSection.h"

inline CIniSection MakeSection(const char* name, std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    CIniSection section(name);
    for (const auto& pair : pairs) {
        CIniKey key(pair.first);
        key.AddValue(pair.second);
        section.AddKey(key);
    }
    return section;
}
