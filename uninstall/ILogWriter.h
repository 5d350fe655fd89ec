#pragma once
// What Setup's parts write into the uninstall log: a key's value in a section, or a key taken
// out again; and whether the log holds a key already.
#include <string>

class ILogWriter {
public:
    virtual ~ILogWriter() = default;
    virtual void Write(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual void Remove(const std::string& section, const std::string& key) = 0;
    virtual bool Has(const std::string& section, const std::string& key) const = 0;
};
