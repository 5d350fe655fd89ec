#include "uninstall/LogRecords.h"

#include "transfer/paths/CFilePath.h"

namespace LogRecords {

bool IsTemporaryCopy(const std::string& path)
{
    if (!CFilePath::IsFileInDirectory(path))
        return false;
    std::string title = CFilePath(path).GetTitle();
    return title.size() == 8 && title.find_first_not_of("0123456789abcdef") == std::string::npos;
}

bool ReadsBackAsKey(const std::string& name)
{
    return !name.empty() && name.find('=') == std::string::npos && name.find_first_of("[; \t") != 0;
}

std::string FileRecord(unsigned destinationId, bool installedNow, bool replacedExisting)
{
    return std::to_string(destinationId) + "|" + (installedNow ? "1" : "0") + "|" +
           (replacedExisting ? "1" : "0");
}

std::string DestinationRecord(const CDestination& destination)
{
    return destination.name + "|" + std::to_string(destination.parent) + "|" + destination.directory.Path();
}

std::string GroupRecord(const CGroup& group)
{
    return group.caption + "|" + group.description + "|" + std::to_string(group.minimal) + "|" +
           std::to_string(group.typical) + "|" + std::to_string(group.custom);
}

std::string TargetRecord(const CShortcutTarget& target)
{
    return std::to_string(target.iconIndex) + "|" + std::to_string(target.hotKey) + "|" +
           (target.minimized ? "1" : "0") + "|" + target.itemName + "|" + target.arguments + "|" +
           target.iconFile + "|" + target.programPath.Path();
}

}  // namespace LogRecords
