#pragma once
// Read access to a plain INI file, as the setup manifest and the uninstall log are read: the key
// names of a section in the order the file lists them, and one value (at most 255 characters).
#include <string>
#include <vector>

class IIniSource {
public:
    virtual ~IIniSource() = default;
    virtual std::vector<std::string> KeyNames(const std::string& section) const = 0;
    virtual std::string Value(const std::string& section, const std::string& key) const = 0;
};
