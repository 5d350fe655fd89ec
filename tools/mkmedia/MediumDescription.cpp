#include "tools/mkmedia/MediumDescription.h"

#include "uninstall/LogRecords.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace {
// Setup reads each manifest value with this limit; a longer one would be cut without a word.
constexpr std::size_t kLongestValue = 255;
// Setup's own destinations: the Windows, system, temporary and setup directories.
constexpr long kFirstSetupDestination = -5;
constexpr long kLastSetupDestination = -2;
// An archive entry carries its destination in 16 bits that Setup reads as a signed number: 65534
// would be the Windows directory, 40000 no destination at all.
constexpr long kLowestDestination = -32768;
constexpr long kHighestDestination = 32767;

std::string Trim(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Fields(const std::string& value)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = value.find('|', start);
        fields.push_back(Trim(value.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos)
            return fields;
        start = bar + 1;
    }
}

struct Line {
    int number = 0;
    std::string key;
    std::string value;
};

struct Section {
    std::string name;
    int line = 0;
    std::vector<Line> lines;
};

// Reads one description into its sections and key lines, checking only the shape of each line.
class DescriptionParser {
public:
    DescriptionParser(const std::string& text, std::string file) : file_(std::move(file)) { Split(text); }

    MediumDescription Read()
    {
        description_.file = file_;
        for (const Section& section : sections_) {
            std::string name = LowerCase(section.name);
            if (name == "medium")
                ReadMedium(section);
            else if (name == "destinations")
                ReadDestinations(section);
            else if (name == "groups")
                ReadGroups(section);
            else if (name == "targets")
                ReadTargets(section);
            else if (name == "diskettes")
                ReadLabels(section);
        }
        for (const Section& section : sections_)
            if (!IsFixedSection(LowerCase(section.name)))
                ReadGroupSources(section);
        CheckMedium();
        CheckGroups();
        return std::move(description_);
    }

private:
    [[noreturn]] void Fail(int line, const std::string& message) const { throw DescriptionError(file_, line, message); }

    static bool IsFixedSection(const std::string& lowerName)
    {
        return lowerName == "medium" || lowerName == "destinations" || lowerName == "groups" || lowerName == "targets" ||
               lowerName == "diskettes";
    }

    void Split(const std::string& text)
    {
        int number = 0;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            std::string raw = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            ++number;
            SplitLine(Trim(raw), number);
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }

    void SplitLine(const std::string& line, int number)
    {
        if (line.empty() || line[0] == ';')
            return;
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3)
                Fail(number, "a section header is written [name]");
            sections_.push_back({Trim(line.substr(1, line.size() - 2)), number, {}});
            return;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            Fail(number, "a line is a [section], a comment starting with \";\", or key = value");
        if (sections_.empty())
            Fail(number, "a key before the first [section]");
        std::string key = Trim(line.substr(0, equals));
        if (key.empty())
            Fail(number, "a line without a key before its \"=\"");
        sections_.back().lines.push_back({number, key, Trim(line.substr(equals + 1))});
    }

    void CheckLength(const Line& line) const
    {
        if (line.value.size() > kLongestValue)
            Fail(line.number, "the value is longer than the " + std::to_string(kLongestValue) + " characters that Setup reads");
    }

    long Number(const std::string& text, int line, const std::string& what) const
    {
        errno = 0;
        char* end = nullptr;
        long value = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || errno == ERANGE || value < -32768 || value > 65535)
            Fail(line, what + " \"" + text + "\" is not a number");
        return value;
    }

    long Destination(const std::string& text, int line, const std::string& what) const
    {
        long value = Number(text, line, what);
        if (value < kLowestDestination || value > kHighestDestination)
            Fail(line, what + " " + text + " is beyond the " + std::to_string(kHighestDestination) +
                           " that Setup reads from an archive");
        return value;
    }

    std::string RelativeToDescription(const std::string& path) const
    {
        std::filesystem::path written(path);
        if (written.is_absolute())
            return written.generic_string();
        return (std::filesystem::path(file_).parent_path() / written).generic_string();
    }

    void ReadMedium(const Section& section)
    {
        description_.mediumLine = section.line;
        for (const Line& line : section.lines) {
            std::string key = LowerCase(line.key);
            std::string* field = key == "setup" ? &description_.setupProgram
                                 : key == "tree"    ? &description_.tree
                                 : key == "profile" ? &description_.profile
                                 : key == "licence" ? &description_.licence
                                                    : nullptr;
            if (!field)
                Fail(line.number, "[medium] knows setup, tree, profile and licence, not \"" + line.key + "\"");
            if (line.value.empty())
                Fail(line.number, line.key + " names no file");
            *field = RelativeToDescription(line.value);
            if (int* lineOfKey = key == "setup"     ? &description_.setupLine
                                 : key == "profile" ? &description_.profileLine
                                 : key == "licence" ? &description_.licenceLine
                                                    : nullptr)
                *lineOfKey = line.number;
        }
    }

    void ReadDestinations(const Section& section)
    {
        for (const Line& line : section.lines) {
            CheckLength(line);
            DescribedDestination destination;
            destination.number = Destination(line.key, line.number, "the destination");
            if (destination.number < 0)
                Fail(line.number, "destinations below 0 are Setup's own");
            if (description_.KnowsDestination(destination.number))
                Fail(line.number, "destination " + line.key + " is defined twice");
            std::vector<std::string> fields = Fields(line.value);
            destination.name = fields[0];
            if (fields.size() > 1 && !fields[1].empty())
                destination.parent = Destination(fields[1], line.number, "the parent destination");
            if (fields.size() > 2)
                destination.directory = fields[2];
            destination.line = line.number;
            description_.destinations.push_back(destination);
        }
    }

    void ReadGroups(const Section& section)
    {
        for (const Line& line : section.lines) {
            CheckLength(line);
            std::vector<std::string> fields = Fields(line.value);
            if (fields.size() != 5)
                Fail(line.number, "a group is caption|description|minimal|typical|custom");
            if (IsFixedSection(LowerCase(line.key)) || LowerCase(line.key) == "install programs" || LowerCase(line.key) == "pmgroup")
                Fail(line.number, "a group may not be named \"" + line.key + "\": the manifest or the log has a section of that name");
            if (FindGroup(line.key))
                Fail(line.number, "group \"" + line.key + "\" is defined twice");
            if (!IsSectionName(line.key))
                Fail(line.number, "\"" + line.key + "\" cannot be a group: the manifest and the uninstall log "
                                  "name a section after it");
            DescribedGroup group;
            group.name = line.key;
            group.caption = fields[0];
            group.description = fields[1];
            long* memberships[] = {&group.minimal, &group.typical, &group.custom};
            for (int i = 0; i < 3; ++i) {
                if (fields[2 + i] != "0" && fields[2 + i] != "1")
                    Fail(line.number, "minimal, typical and custom are each 0 or 1");
                *memberships[i] = fields[2 + i] == "1";
            }
            group.line = line.number;
            description_.groups.push_back(group);
        }
    }

    void ReadTargets(const Section& section)
    {
        for (const Line& line : section.lines) {
            CheckLength(line);
            if (!IsInstallableName(line.key))
                Fail(line.number, "\"" + line.key + "\" is not a program's file name");
            if (Fields(line.value).size() != 7)
                Fail(line.number, "an icon is icon index|hot key|minimized|item name|arguments|icon file|program path");
            description_.targets.push_back({line.key, line.value, line.number});
        }
    }

    void ReadLabels(const Section& section)
    {
        for (const Line& line : section.lines) {
            CheckLength(line);
            long number = Number(line.key, line.number, "the diskette");
            if (number < 1)
                Fail(line.number, "diskettes are numbered from 1");
            description_.labels[number] = line.value;
        }
    }

    DescribedGroup* FindGroup(const std::string& name)
    {
        for (DescribedGroup& group : description_.groups)
            if (LowerCase(group.name) == LowerCase(name))
                return &group;
        return nullptr;
    }

    void ReadGroupSources(const Section& section)
    {
        DescribedGroup* group = FindGroup(section.name);
        if (!group)
            Fail(section.line, "[" + section.name + "] is no group of [groups]");
        for (const Line& line : section.lines)
            AddItem(*group, line);
    }

    void AddItem(DescribedGroup& group, const Line& line)
    {
        if (!IsInstallableName(line.key) || line.key[0] == ';' || line.key[0] == '[')
            Fail(line.number, "\"" + line.key + "\" cannot be a file name on the medium");
        std::vector<std::string> fields = Fields(line.value);
        if (fields.size() != 3 || (fields[0] != "archive" && fields[0] != "file"))
            Fail(line.number, "a source is archive|<file or folder>|destination or file|<file>|destination");
        DescribedItem item{fields[1], Destination(fields[2], line.number, "the destination"), line.number};
        CheckTreePath(item);
        bool archive = fields[0] == "archive";
        DescribedSource* source = FindSource(line.key);
        if (source && (!archive || !source->archive || !IsSourceOf(group, *source)))
            Fail(line.number, "\"" + line.key + "\" is already a source (line " + std::to_string(source->line) +
                                  "); only an archive of the same group may be named again");
        if (!source) {
            group.sources.push_back({line.key, archive, {}, line.number});
            source = &group.sources.back();
        }
        source->items.push_back(item);
    }

    void CheckTreePath(const DescribedItem& item) const
    {
        std::string path = item.treePath;
        std::replace(path.begin(), path.end(), '\\', '/');
        if (path.empty() || path[0] == '/' || path.find(':') != std::string::npos)
            Fail(item.line, "\"" + item.treePath + "\" is not a path inside the tree");
        std::size_t start = 0;
        for (;;) {
            std::size_t slash = path.find('/', start);
            if (path.substr(start, slash == std::string::npos ? std::string::npos : slash - start) == "..")
                Fail(item.line, "\"" + item.treePath + "\" leaves the tree");
            if (slash == std::string::npos)
                break;
            start = slash + 1;
        }
    }

    DescribedSource* FindSource(const std::string& name)
    {
        for (DescribedGroup& group : description_.groups)
            for (DescribedSource& source : group.sources)
                if (LowerCase(source.name) == LowerCase(name))
                    return &source;
        return nullptr;
    }

    static bool IsSourceOf(const DescribedGroup& group, const DescribedSource& source)
    {
        return std::any_of(group.sources.begin(), group.sources.end(),
                           [&](const DescribedSource& own) { return &own == &source; });
    }

    void CheckMedium() const
    {
        if (description_.setupProgram.empty())
            Fail(0, "[medium] names no setup program (setup = ...)");
        if (description_.tree.empty())
            Fail(0, "[medium] names no product tree (tree = ...)");
        if (description_.licence.empty())
            Fail(description_.mediumLine, "[medium] names no licence (licence = ...): Setup shows it before it installs, "
                                          "and ends without installing when the medium has none");
        if (!description_.KnowsDestination(0))
            Fail(0, "[destinations] defines no destination 0, the product's directory");
    }

    void CheckGroups() const
    {
        if (description_.groups.empty())
            Fail(0, "[groups] defines no group");
        for (const DescribedGroup& group : description_.groups) {
            if (group.sources.empty())
                Fail(group.line, "group \"" + group.name + "\" has no files");
            for (const DescribedSource& source : group.sources)
                for (const DescribedItem& item : source.items)
                    if (!description_.KnowsDestination(item.destination))
                        Fail(item.line, "destination " + std::to_string(item.destination) + " is not defined in [destinations]");
        }
        for (const DescribedDestination& destination : description_.destinations)
            if (destination.parent != -1 && !description_.KnowsDestination(destination.parent))
                Fail(destination.line, "parent destination " + std::to_string(destination.parent) + " is not defined");
    }

    std::string file_;
    std::vector<Section> sections_;
    MediumDescription description_;
};
}  // namespace

DescriptionError::DescriptionError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message), line_(line)
{
}

bool MediumDescription::KnowsDestination(long number) const
{
    if (number >= kFirstSetupDestination && number <= kLastSetupDestination)
        return true;
    return std::any_of(destinations.begin(), destinations.end(),
                       [number](const DescribedDestination& destination) { return destination.number == number; });
}

MediumDescription ReadDescription(const std::string& text, const std::string& file)
{
    return DescriptionParser(text, file).Read();
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsLogKeyName(const std::string& name)
{
    return LogRecords::ReadsBackAsKey(name);
}

bool IsSectionName(const std::string& name)
{
    return IsLogKeyName(name) && name.find(']') == std::string::npos;
}

bool IsInstallableName(const std::string& name)
{
    if (name.empty() || name.size() > 255 || name.back() == '.' || name.back() == ' ')
        return false;
    for (unsigned char c : name)
        if (c < 32 || std::string("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string::npos)
            return false;
    std::string base = LowerCase(name.substr(0, name.find('.')));
    static const std::set<std::string> devices = {"con", "prn", "aux", "nul"};
    if (devices.count(base))
        return false;
    bool numberedDevice = base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
                          base[3] >= '1' && base[3] <= '9';
    return !numberedDevice;
}
