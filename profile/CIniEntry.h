#pragma once
// One value of one key of one section of a Windows INI file, read and written through the
// private-profile functions.
#include <string>

class CIniEntry {
public:
    CIniEntry() = default;
    // Sets the value to the default and, when loadNow and both names are given, reads at once.
    CIniEntry(const std::string& defaultValue, const std::string& section, const std::string& key,
              bool loadNow, const std::string& file = std::string());
    virtual ~CIniEntry() = default;

    virtual bool IsModified() const { return value != readValue; }
    // true when more than 0 characters were read (at most 255).
    virtual bool Read();
    virtual bool Write();

    const std::string& Value() const { return value; }
    void SetValue(const std::string& text) { value = text; }
    void SetFile(const std::string& path) { file = path; }
    const std::string& File() const { return file; }
    const std::string& Section() const { return section; }
    const std::string& Key() const { return key; }
    void SetNames(const std::string& sectionName, const std::string& keyName, const std::string& path);

private:
    std::string section;
    std::string key;
    std::string file;
    std::string value;
    std::string readValue;
};

// The key names of one section, in the file's order.
class CIniSectionEnumerator {
public:
    explicit CIniSectionEnumerator(const std::string& section, const std::string& file);

    bool First(CIniEntry& entry);
    bool Next(CIniEntry& entry);

private:
    bool HandOut(CIniEntry& entry);

    std::string file_;
    std::string section_;
    std::string buffer_;  // names separated by NUL, ended by an empty name
    size_t cursor_ = 0;
    bool loaded_ = false;
};
