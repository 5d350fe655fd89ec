#include "transfer/media/CDriveIterator.h"

#include <windows.h>

unsigned CDriveIterator::QueryType(const std::string& root)
{
    return GetDriveTypeA(root.c_str());
}

std::string CDriveIterator::Root() const
{
    return std::string(1, static_cast<char>('a' + index)) + ":\\";
}

bool CDriveIterator::Next()
{
    // Letters without a drive report "no root directory"; they are skipped like unknown ones.
    for (int candidate = index + 1; candidate < 26; ++candidate) {
        std::string root = std::string(1, static_cast<char>('a' + candidate)) + ":\\";
        unsigned type = QueryType(root);
        if (type != kUnknown && type != kNoRootDir) {
            index = candidate;
            driveType = type;
            return true;
        }
    }
    return false;
}

bool CDriveIterator::NextOfType(unsigned wanted)
{
    int start = index;
    unsigned startType = driveType;
    while (Next()) {
        if (driveType == wanted)
            return true;
    }
    index = start;
    driveType = startType;
    return false;
}
