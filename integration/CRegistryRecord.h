#pragma once
// What one installation writes into the log's "Registry" section: every key that it brings into
// existence, with the names of the values that its entries write into such keys, so that Unsetup
// can tell the product's keys and values from those of other programs. One record serves every
// entry list of a run (the profile's entries, then the file types).
#include <map>
#include <string>
#include <vector>

#include "framework/TextCompare.h"

class CRegEntry;
class ILogWriter;

class CRegistryRecord {
public:
    // Without a log the record only keeps its lines (Line).
    explicit CRegistryRecord(ILogWriter* log) : log_(log) {}

    // A level that the walk of `entry` is about to create, by the path the walk formed: logged
    // before it exists, the entry's own key with the value that the entry is about to write.
    void KeyCreated(const std::string& path, const CRegEntry& entry);
    // Before `entry` writes its value: the value joins its key's line when the key is one that
    // this record has seen created, or one that the log names as created by an earlier run of
    // this installation (it stopped after it made the key).
    void ValueWritten(const CRegEntry& entry);

    // The line of a key that this record has seen created; "" for any other.
    std::string Line(const std::string& path) const;

private:
    using KeyValues = std::map<std::string, std::vector<std::string>, CaseInsensitiveLess>;
    KeyValues::iterator Known(const std::string& path);
    void Write(const std::string& path, const std::vector<std::string>& values) const;

    ILogWriter* log_;
    // The value names of each created key, by its path.
    KeyValues created_;
};
