#include "uninstall/CLogContents.h"

#include "framework/TextCompare.h"

namespace {
constexpr char kSetMark = '+';
constexpr char kRemoveMark = '-';

std::string Trimmed(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Escaped(const std::string& field)
{
    std::string text;
    for (char c : field) {
        switch (c) {
        case '\\': text += "\\\\"; break;
        case '\t': text += "\\t"; break;
        case '\r': text += "\\r"; break;
        case '\n': text += "\\n"; break;
        default: text += c;
        }
    }
    return text;
}

// The fields of a journal line; false for a line that is not one.
bool Fields(const std::string& line, std::vector<std::string>& fields)
{
    fields.assign(1, std::string());
    for (std::size_t at = 0; at < line.size(); ++at) {
        char c = line[at];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c != '\\') {
            fields.back() += c;
        } else if (at + 1 < line.size()) {
            char code = line[++at];
            fields.back() += code == 't' ? '\t' : code == 'r' ? '\r' : code == 'n' ? '\n' : code;
        } else {
            return false;
        }
    }
    return true;
}
}  // namespace

CLogContents::Block* CLogContents::Find(const std::string& section)
{
    for (Block& candidate : sections_)
        if (EqualsIgnoreCase(candidate.name, section))
            return &candidate;
    return nullptr;
}

const CLogContents::Block* CLogContents::Find(const std::string& section) const
{
    return const_cast<CLogContents*>(this)->Find(section);
}

void CLogContents::Set(const std::string& section, const std::string& key, const std::string& value)
{
    Block* found = Find(section);
    if (!found) {
        sections_.push_back({section, {}});
        found = &sections_.back();
    }
    for (auto& entry : found->entries) {
        if (EqualsIgnoreCase(entry.first, key)) {
            entry.second = value;
            return;
        }
    }
    found->entries.emplace_back(key, value);
}

void CLogContents::Remove(const std::string& section, const std::string& key)
{
    Block* found = Find(section);
    if (!found)
        return;
    for (auto entry = found->entries.begin(); entry != found->entries.end(); ++entry) {
        if (EqualsIgnoreCase(entry->first, key)) {
            found->entries.erase(entry);
            return;
        }
    }
}

const std::string* CLogContents::Value(const std::string& section, const std::string& key) const
{
    const Block* found = Find(section);
    if (!found)
        return nullptr;
    for (const auto& entry : found->entries)
        if (EqualsIgnoreCase(entry.first, key))
            return &entry.second;
    return nullptr;
}

CLogContents::Entries CLogContents::Section(const std::string& section) const
{
    const Block* found = Find(section);
    return found ? found->entries : Entries();
}

void CLogContents::ReadIni(const std::string& text)
{
    std::string current;
    bool inSection = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line = Trimmed(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line = Trimmed(line.substr(0, line.size() - 1));
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            std::size_t close = line.find(']');
            current = Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            inSection = true;
            if (!Find(current))
                sections_.push_back({current, {}});
            continue;
        }
        std::size_t equal = line.find('=');
        if (!inSection || equal == std::string::npos)
            continue;
        std::string key = Trimmed(line.substr(0, equal));
        if (!key.empty() && !Value(current, key))
            Set(current, key, Trimmed(line.substr(equal + 1)));
    }
}

std::string CLogContents::Ini(const std::vector<std::string>& trailing) const
{
    auto isTrailing = [&](const std::string& name) {
        for (const std::string& last : trailing)
            if (EqualsIgnoreCase(last, name))
                return true;
        return false;
    };
    auto write = [](const Block& section, std::string& text) {
        if (section.entries.empty())
            return;
        text += "[" + section.name + "]\r\n";
        for (const auto& entry : section.entries)
            text += entry.first + "=" + entry.second + "\r\n";
    };
    std::string text;
    for (const Block& section : sections_)
        if (!isTrailing(section.name))
            write(section, text);
    for (const std::string& last : trailing)
        if (const Block* section = Find(last))
            write(*section, text);
    return text;
}

std::string CLogContents::JournalSet(const std::string& section, const std::string& key, const std::string& value)
{
    return std::string(1, kSetMark) + "\t" + Escaped(section) + "\t" + Escaped(key) + "\t" + Escaped(value) + "\n";
}

std::string CLogContents::JournalRemove(const std::string& section, const std::string& key)
{
    return std::string(1, kRemoveMark) + "\t" + Escaped(section) + "\t" + Escaped(key) + "\n";
}

std::size_t CLogContents::ApplyJournal(const std::string& text)
{
    std::size_t applied = 0;
    std::size_t start = 0;
    std::vector<std::string> fields;
    for (;;) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            return applied;
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!Fields(line, fields) || fields[0].size() != 1 || fields.size() < 3 || fields[1].empty() ||
            fields[2].empty())
            continue;
        if (fields[0][0] == kSetMark && fields.size() == 4) {
            Set(fields[1], fields[2], fields[3]);
            ++applied;
        } else if (fields[0][0] == kRemoveMark && fields.size() == 3) {
            Remove(fields[1], fields[2]);
            ++applied;
        }
    }
}
