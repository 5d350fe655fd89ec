#pragma once
// The uninstall log in memory: sections in the order of their first write, keys in the order of
// theirs, a key written again keeping its place, names compared without regard to case, as the
// private-profile functions keep an INI file. It reads and writes the INI text, and the journal in
// which a running Setup appends each change at once, in constant time: the INI is written whole
// only when the run ends, and a run that never ended leaves its journal for the next one to fold
// in. Portable.
#include <string>
#include <utility>
#include <vector>

class CLogContents {
public:
    using Entries = std::vector<std::pair<std::string, std::string>>;

    void Set(const std::string& section, const std::string& key, const std::string& value);
    void Remove(const std::string& section, const std::string& key);
    bool IsEmpty() const { return sections_.empty(); }

    // nullptr for a missing section or key.
    const std::string* Value(const std::string& section, const std::string& key) const;
    Entries Section(const std::string& section) const;

    // Reads INI text: "[section]" lines, "key=value" lines (both trimmed of blanks), ";" comments;
    // lines before the first section and lines without "=" are passed over. A section that comes
    // again adds to the first one.
    void ReadIni(const std::string& text);
    // The INI text that the private-profile functions read back as these sections and keys: the
    // sections in the order of their first write, but those named in trailing after all others,
    // in that order.
    std::string Ini(const std::vector<std::string>& trailing = {}) const;

    // One change as a journal line, ended by a line feed: "+" (set) or "-" (remove), then the
    // section, key and value separated by tabs, with backslash, tab, CR and LF escaped.
    static std::string JournalSet(const std::string& section, const std::string& key, const std::string& value);
    static std::string JournalRemove(const std::string& section, const std::string& key);
    // Applies a journal's lines in order. A line without its line feed (the write that a crash
    // cut short) and a line that is no change are passed over. The number of changes applied.
    std::size_t ApplyJournal(const std::string& text);

private:
    struct Block {
        std::string name;
        Entries entries;
    };
    Block* Find(const std::string& section);
    const Block* Find(const std::string& section) const;

    std::vector<Block> sections_;
};
