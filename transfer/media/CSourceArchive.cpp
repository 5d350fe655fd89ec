#include "transfer/media/CSourceArchive.h"

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

std::string CSourceArchive::NextVolumeName(const std::string& name)
{
    std::string next = name;
    for (char& c : next)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (!next.empty())
        next.back() = static_cast<char>(next.back() + 1);
    return next;
}

#ifndef _WIN32
// Reading a medium (diskette prompts, progress) is the Windows program's part; built natively,
// a source reads like a plain archive.
void CSourceArchive::OnBlockBoundary() {}
bool CSourceArchive::OnEndOfData() { return true; }
#endif
