#pragma once
// The file types the product opens: one entry per extension of the profile's "mediatypes"
// section, whose key under HKEY_CLASSES_ROOT gets the product's short name as its default value,
// unless another application has claimed the extension.
#include "integration/CRegEntryList.h"

class CMediaTypeEntry : public CRegEntry {
public:
    // Takes the section's "fileN" and "option" keys: the path is HKEY_CLASSES_ROOT and the
    // extension, or the bare root (nothing is written) when the section has no "fileN".
    void LoadNumbered(const CIniSection& section, int number, const std::string& dataText);
    CRegEntry* Clone() const override { return new CMediaTypeEntry(*this); }
};

class CMediaTypeList : public CRegEntryList {
public:
    static constexpr std::size_t kMaxShortName = 49;
    static constexpr std::size_t kMaxLongName = 99;

    // The names are cut to the lengths the product's file types allow.
    void SetNames(const std::string& shortName, const std::string& longName);
    const std::string& ShortName() const { return shortName_; }
    const std::string& LongName() const { return longName_; }

    // Entries 1 to count of the section, each with the short name as its data. The list's entries
    // are numbered: one section holds them all, so no entry is made from a section alone.
    void AddFromSection(const CIniSection& section, int count);
    void AddFromSection(const CIniSection& section) = delete;
    // Selects the extensions that are free: not registered, or registered with an empty default
    // value. An extension with a default value of its own belongs to another application.
    void ResolveConflicts();

protected:
    std::unique_ptr<CRegEntry> NewEntry() const override { return std::make_unique<CMediaTypeEntry>(); }

private:
    std::string shortName_;
    std::string longName_;
};
