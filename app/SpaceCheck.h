#pragma once
// Whether the target drives have room for a setup type.
#include <cstdint>
#include <string>

struct SpaceNeed {
    std::uint64_t total = 0;       // everything
    std::uint64_t mainPart = 0;    // on the drive of destination 0
    std::uint64_t systemPart = 0;  // on the drive of the Windows directory
};

struct DriveFree {
    std::string mainDrive;    // drive letter of destination 0
    std::string systemDrive;  // drive letter of the Windows directory
    std::uint64_t mainFree = 0;
    std::uint64_t systemFree = 0;
};

// On one drive the total must fit; on two drives each part must fit on its own drive.
bool HasEnoughSpace(const SpaceNeed& need, const DriveFree& drives);

// The fixed amounts per group that the custom options page adds up for the selected groups;
// groups not in the table need nothing.
SpaceNeed CustomGroupSpace(const std::string& groupName);

// Bytes shown as megabytes of 1024000 bytes, rounded down.
std::uint64_t Megabytes(std::uint64_t bytes);
