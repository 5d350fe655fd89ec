#include "transfer/install/CVersionInfo.h"

int CompareFileVersions(const FileVersion& a, const FileVersion& b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

bool CVersionInfo::GetFileVersion(FileVersion& version) const
{
    if (!hasVersion)
        return false;
    version = fileVersion;
    return true;
}

bool CVersionInfo::IsNewerThan(const CVersionInfo& other) const
{
    return hasVersion && other.hasVersion && CompareFileVersions(fileVersion, other.fileVersion) > 0;
}

void CVersionInfo::SetFileVersion(const FileVersion& version)
{
    fileVersion = version;
    hasVersion = true;
}
