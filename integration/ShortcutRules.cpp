#include "integration/ShortcutRules.h"

#include "framework/TextCompare.h"

namespace {
bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}
}

bool UsesShellLinks(bool isNT, bool isNT4)
{
    return !isNT || isNT4;
}

std::string LinkFileName(const std::string& itemName)
{
    std::size_t dot = itemName.find_last_of('.');
    return (dot == std::string::npos ? itemName : itemName.substr(0, dot)) + ".lnk";
}

bool IsFolderBelowPrograms(const std::string& folder)
{
    if (folder.empty() || IsSeparator(folder[0]) || folder.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= folder.size()) {
        std::size_t end = start;
        while (end < folder.size() && !IsSeparator(folder[end]))
            ++end;
        std::string step = folder.substr(start, end - start);
        if (step == "." || step == "..")
            return false;
        start = end + 1;
    }
    return true;
}

bool IsPlainProgmanText(const std::string& text)
{
    return text.find_first_of("\"[]") == std::string::npos;
}

namespace ProgmanCommand {
std::string CreateGroup(const std::string& name)
{
    return "[CreateGroup (\"" + name + "\")]";
}

std::string CreateGroup(const std::string& name, const std::string& groupFile)
{
    return "[CreateGroup (\"" + name + "\", \"" + groupFile + "\")]";
}

std::string DeleteGroup(const std::string& name)
{
    return "[DeleteGroup(\"" + name + "\")]";
}

std::string ReplaceItem(const std::string& name)
{
    return "[ReplaceItem (" + name + ")]";
}

std::string DeleteItem(const std::string& name)
{
    return "[DeleteItem (" + name + ")]";
}

std::string AddItem(const ProgmanItem& item)
{
    const std::string& icon = item.iconPath.empty() ? item.commandLine : item.iconPath;
    std::string hotKey = item.hotKey < 0 ? std::string() : std::to_string(item.hotKey);
    return "[AddItem (" + item.commandLine + ",\"" + item.name + "\"," + icon + "," +
           std::to_string(item.iconIndex) + "," + std::to_string(item.x) + "," + std::to_string(item.y) + "," +
           item.workingDirectory + "," + hotKey + "," + (item.minimized ? "1" : "0") + ")]";
}
}

std::string QuotedCommandLine(const std::string& programPath, const std::string& arguments)
{
    return "\"" + programPath + "\" " + arguments;
}

std::vector<std::string> SplitGroupNames(const std::string& answer)
{
    std::vector<std::string> names;
    std::string piece;
    for (char c : answer) {
        if (c == '\r' || c == '\n' || c == '\0') {
            if (!piece.empty())
                names.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty())
        names.push_back(piece);
    return names;
}

std::optional<bool> GroupAnswerShowsEmpty(const std::string& answer)
{
    std::vector<std::string> lines = SplitGroupNames(answer);
    if (lines.empty())
        return std::nullopt;
    return lines.size() == 1;
}

bool HasGroup(const std::vector<std::string>& names, const std::string& group)
{
    for (const std::string& name : names)
        if (EqualsIgnoreCase(name, group))
            return true;
    return false;
}
