#include "profile/DestinationMacros.h"

#include "transfer/paths/CFilePath.h"

MacroTable BuildMacroTable(const CDestinationStore& destinations, const std::string& launchDirectory,
                           const ShortPathFunction& shortPath)
{
    MacroTable table;
    for (const auto& destination : destinations.All()) {
        std::string directory = destination.second.directory.Path();
        if (directory.empty())
            continue;
        std::string value = shortPath(directory);
        if (value.empty())
            value = directory;
        if (value.back() != '\\')
            value += '\\';
        table.names.push_back("?" + std::to_string(destination.first) + "?");
        table.values.push_back(value);
    }
    std::string drive = CFilePath(launchDirectory).GetDrive();
    table.names.push_back("?LaunchDrive?");
    table.values.push_back(drive.empty() ? std::string() : drive + ":");
    return table;
}
