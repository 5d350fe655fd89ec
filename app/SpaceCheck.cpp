#include "app/SpaceCheck.h"

#include "framework/TextCompare.h"

bool HasEnoughSpace(const SpaceNeed& need, const DriveFree& drives)
{
    if (EqualsIgnoreCase(drives.mainDrive, drives.systemDrive))
        return drives.mainFree >= need.total;
    return drives.mainFree >= need.mainPart && drives.systemFree >= need.systemPart;
}

SpaceNeed CustomGroupSpace(const std::string& groupName)
{
    struct Row {
        const char* name;
        SpaceNeed need;
    };
    static const Row kTable[] = {
        {"program", {12637460, 10409172, 2228288}},
        {"art", {5503236, 5503236, 0}},
        {"samples", {12246528, 12246528, 0}},
        {"Art2000", {8533504, 8533504, 0}},
        {"Art1000", {3602432, 3602432, 0}},
        {"Backgrounds", {319082, 319082, 0}},
        {"Alarms", {3813452, 3813452, 0}},
    };
    for (const Row& row : kTable)
        if (groupName == row.name)
            return row.need;
    return {};
}

std::uint64_t Megabytes(std::uint64_t bytes)
{
    return bytes / 1024000;
}
