#pragma once
// What Setup's parts write into the uninstall log: a key's value in a section, or a key taken
// out again; and what the log holds already (an earlier run of the same installation wrote it).
#include <string>

class ILogWriter {
public:
    virtual ~ILogWriter() = default;
    virtual void Write(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual void Remove(const std::string& section, const std::string& key) = 0;
    // The key's value, or nullptr when the log does not hold the key.
    virtual const std::string* Find(const std::string& section, const std::string& key) const = 0;
    bool Has(const std::string& section, const std::string& key) const { return Find(section, key) != nullptr; }
};
