#pragma once
// The checks of a directory that the user typed, each showing its own refusal.
#include <string>

#include "app/SpaceCheck.h"

// A removable drive of at most a diskette's size is refused (string 26); true when refused.
bool RefuseDiskette(const std::string& directory);
// The directory rule; shows strings 44, 46 or 47 and returns false when the text breaks it.
bool ValidatePathWithMessage(const std::string& directory);
// A drive without any free space is refused (string 7); true when refused.
bool RefuseFullDrive(const std::string& directory);
// Free space of the drive that holds the directory, in bytes.
unsigned long long FreeSpaceOf(const std::string& directory);
// Whether the drives of destination 0 and of the Windows directory can take the need.
bool TargetDrivesHaveRoom(const SpaceNeed& need);
