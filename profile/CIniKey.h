#pragma once
// One key of a profile section with its values in file order. A single value and a value list
// are stored alike; a key followed by a line end and no members has no value at all.
#include <memory>
#include <string>
#include <vector>

class CIniKey {
public:
    explicit CIniKey(std::string name = {}) : name(std::move(name)) {}

    const std::string& Name() const { return name; }
    const std::vector<std::string>& Values() const { return values; }
    // The value of the key for the consumers, or null for a key without values.
    const std::string* FirstValue() const { return values.empty() ? nullptr : &values.front(); }
    void AddValue(std::string value) { values.push_back(std::move(value)); }

    // Where the key was written, for the profile author's tools.
    const std::string& FileName() const;
    int LineNumber() const { return lineNumber; }
    // The name is shared with the reader: a profile has many keys and few files.
    void SetOrigin(std::shared_ptr<const std::string> file, int line)
    {
        fileName = std::move(file);
        lineNumber = line;
    }

private:
    std::string name;
    std::vector<std::string> values;
    std::shared_ptr<const std::string> fileName;
    int lineNumber = 0;
};

inline const std::string& CIniKey::FileName() const
{
    static const std::string unknown;
    return fileName ? *fileName : unknown;
}
