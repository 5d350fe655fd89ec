#pragma once
// What a vendor says about a medium: the installer and its files, the destinations, the groups
// with the parts of the product's file tree that each one installs, the program icons and the
// diskette labels. Read from a description file in the style of the setup manifest:
//
//   [medium]        setup = <setup.exe>, tree = <the product's folder>, licence = <licence
//                   text>, and optionally profile = <install profile>; paths are relative to
//                   the description file
//   [destinations]  number = name|parent|directory, as in the manifest
//   [groups]        name = caption|description|minimal|typical|custom, as in the manifest
//   [<group>]       source = archive|<file or folder of the tree>|destination (the key may repeat:
//                   each line adds to the archive), or source = file|<file of the tree>|destination
//                   (copied as it is, under the source's name)
//   [targets]       the program icons, seven fields each, as in the manifest
//   [diskettes]     number = label
//
// Lines whose first character other than a blank is ";" are comments. Every mistake is
// reported with the file and the line it was found on.
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

class DescriptionError : public std::runtime_error {
public:
    DescriptionError(const std::string& file, int line, const std::string& message);
    int Line() const { return line_; }

private:
    int line_;
};

struct DescribedItem {
    std::string treePath;  // as written, relative to the tree
    long destination = 0;
    int line = 0;
};

struct DescribedSource {
    std::string name;  // the file's name on the medium
    bool archive = true;
    std::vector<DescribedItem> items;
    int line = 0;
};

struct DescribedGroup {
    std::string name;
    std::string caption;
    std::string description;
    long minimal = 0;
    long typical = 0;
    long custom = 0;
    std::vector<DescribedSource> sources;
    int line = 0;
};

struct DescribedDestination {
    long number = 0;
    std::string name;
    long parent = -1;
    std::string directory;
    int line = 0;
};

struct DescribedTarget {
    std::string program;
    std::string value;  // the seven fields, as written
    int line = 0;
};

struct MediumDescription {
    std::string file;  // the description's own path
    std::string setupProgram;
    std::string tree;
    std::string profile;  // "" when none
    std::string licence;  // "" when none
    int mediumLine = 0;   // the lines of [medium] and of its keys, for the errors found later
    int setupLine = 0;
    int profileLine = 0;
    int licenceLine = 0;
    std::vector<DescribedDestination> destinations;
    std::vector<DescribedGroup> groups;
    std::vector<DescribedTarget> targets;
    std::map<long, std::string> labels;

    // Whether a file may be installed into the destination: one the description defines, or
    // one of those that Setup itself knows (the Windows, system, temporary and setup directories).
    bool KnowsDestination(long number) const;
};

// Reads a description from its text; `file` names it in errors and is the base of its relative
// paths. Throws DescriptionError.
MediumDescription ReadDescription(const std::string& text, const std::string& file);

// The text in lower case: names on the medium and in the manifest compare without regard to case,
// as Windows compares them.
std::string LowerCase(std::string text);

// Whether the uninstall log can give the name back as the key it writes it under: no "=", and
// nothing in front that would read as a section, a comment or a blank to trim.
bool IsLogKeyName(const std::string& name);

// Whether the name can head a section of the manifest and of the log: a key name without "]".
bool IsSectionName(const std::string& name);

// Whether Windows can create a file of this name (a single component): not empty, no reserved
// character or device name, no trailing dot or blank, at most 255 characters.
bool IsInstallableName(const std::string& name);
