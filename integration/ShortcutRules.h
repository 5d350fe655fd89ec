#pragma once
// The text side of the program icons: the name a link file gets, the Program Manager commands that
// make and remove icons, and the group names that Program Manager answers with. Portable, so that
// the exact command texts are tested without a shell.
#include <optional>
#include <string>
#include <vector>

// Shell links serve Windows 95 and Windows NT 4; older Windows NT has Program Manager.
bool UsesShellLinks(bool isNT, bool isNT4);

// The link file of an icon: the item name with its extension replaced by "lnk", so that an item
// called "Kalmora 4.0" is saved as "Kalmora 4.lnk".
std::string LinkFileName(const std::string& itemName);

// A program folder name read back from the log that stays below the Programs folder: no drive,
// no leading separator, no "." or ".." step. Nested folders ("Vendor\Product") are allowed.
bool IsFolderBelowPrograms(const std::string& folder);

// A name that can stand in a Program Manager command as it is: no quote or bracket that would end
// the command early and let the rest of the text be taken as further commands.
bool IsPlainProgmanText(const std::string& text);

struct ProgmanItem {
    std::string commandLine;
    std::string name;
    std::string iconPath;          // empty: the command line serves as the icon file
    int iconIndex = 0;
    int x = -1;
    int y = -1;
    std::string workingDirectory;  // empty: none
    long hotKey = -1;              // negative: none
    bool minimized = false;
};

namespace ProgmanCommand {
std::string CreateGroup(const std::string& name);
std::string CreateGroup(const std::string& name, const std::string& groupFile);
std::string DeleteGroup(const std::string& name);
std::string ReplaceItem(const std::string& name);
std::string DeleteItem(const std::string& name);
std::string AddItem(const ProgmanItem& item);
}

// The command line of an item: the program's path in double quotes, a blank and its arguments.
std::string QuotedCommandLine(const std::string& programPath, const std::string& arguments);

// Whether Program Manager's description of a group (a line for the group, then one per item)
// shows it empty; nullopt for an answer that describes nothing.
std::optional<bool> GroupAnswerShowsEmpty(const std::string& answer);

// Whether a group is among the names, compared as Program Manager compares them (without regard
// to case).
bool HasGroup(const std::vector<std::string>& names, const std::string& group);

// The names in Program Manager's answer to a group request: the pieces between CR and LF
// characters, empty ones left out.
std::vector<std::string> SplitGroupNames(const std::string& answer);
