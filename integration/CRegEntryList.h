#pragma once
// An owning list of registry entries (or of entries of a derived kind); copies are deep.
#include <memory>
#include <string>
#include <vector>

#include "integration/CRegEntry.h"
#include "integration/CRegistryRecord.h"

class CRegEntryList {
public:
    CRegEntryList() = default;
    CRegEntryList(const CRegEntryList& other);
    CRegEntryList& operator=(const CRegEntryList& other);
    CRegEntryList(CRegEntryList&&) = default;
    CRegEntryList& operator=(CRegEntryList&&) = default;
    virtual ~CRegEntryList() = default;

    // One entry from one section of the profile ("Registry" for this list).
    void AddFromSection(const CIniSection& section);
    void Append(std::unique_ptr<CRegEntry> entry) { entries_.push_back(std::move(entry)); }
    void Clear() { entries_.clear(); }

    void ExpandMacros(const std::vector<std::string>& names, const std::vector<std::string>& values);
    void SelectByOption(const std::string& selectionKey);

    // Setup: creates the key of every selected entry (keys created anew, with the values written
    // into them, go into the record) and writes its value. Results are not examined.
    void ApplySelected(CRegistryRecord& record);
    // Unsetup: deletes the key of every entry whose option is "-1", the deepest first, each only
    // while it holds nothing of other programs. False when a key that should go could not.
    bool DeleteRemovalKeys();

    const std::vector<std::unique_ptr<CRegEntry>>& Entries() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    CRegEntry& operator[](std::size_t index) const { return *entries_[index]; }

protected:
    // An empty entry of the list's kind, for AddFromSection to load.
    virtual std::unique_ptr<CRegEntry> NewEntry() const { return std::make_unique<CRegEntry>(); }

private:
    std::vector<std::unique_ptr<CRegEntry>> entries_;
};

// Unsetup: deletes the keys listed in the log's "Registry" section, the last listed first, each
// only while it has no subkeys and no values but those the product wrote. A logged key that no
// longer exists is passed over: the walk only opens, so it never brings back a key that someone
// else removed. False when a key that should go could not.
bool RemoveLoggedKeys(const std::string& logPath);
