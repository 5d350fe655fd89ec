#pragma once
// An INI file in memory: sections and keys in the order given, names compared without case.
#include <utility>
#include <vector>

#include "framework/TextCompare.h"
#include "profile/IIniSource.h"

class FakeIniSource : public IIniSource {
public:
    FakeIniSource& Add(const std::string& section, const std::string& key, const std::string& value)
    {
        entries_.push_back({section, key, value});
        return *this;
    }

    std::vector<std::string> KeyNames(const std::string& section) const override
    {
        std::vector<std::string> names;
        for (const auto& e : entries_)
            if (EqualsIgnoreCase(e.section, section))
                names.push_back(e.key);
        return names;
    }

    std::string Value(const std::string& section, const std::string& key) const override
    {
        for (const auto& e : entries_)
            if (EqualsIgnoreCase(e.section, section) && EqualsIgnoreCase(e.key, key))
                return e.value.substr(0, 255);
        return std::string();
    }

private:
    struct Entry {
        std::string section, key, value;
    };
    std::vector<Entry> entries_;
};
