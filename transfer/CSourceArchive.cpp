#include "transfer/CSourceArchive.h"

std::uint64_t CSourceArchive::RequiredSpace(std::uint32_t clusterSize) const
{
    std::uint64_t size = totalSize;
    if (fileCount > 1)
        return size + static_cast<std::uint64_t>(fileCount) * clusterSize / 2;
    if (clusterSize == 0)
        return size;
    return (size + clusterSize - 1) / clusterSize * clusterSize;
}

bool CSourceArchive::SortsAfter(const CSourceArchive& other) const
{
    if (diskNumber != other.diskNumber)
        return diskNumber > other.diskNumber;
    return afterOthers && !other.afterOthers;
}
