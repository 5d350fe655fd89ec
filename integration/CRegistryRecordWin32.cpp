// The record's lines go into the uninstall log through the private-profile functions.
#include "integration/CRegistryRecord.h"

#include <windows.h>

#include "integration/RegistryLog.h"

void CRegistryRecord::Write(const std::string& path, const std::vector<std::string>& values) const
{
    WritePrivateProfileStringA(RegistryLog::kSection, path.c_str(), RegistryLog::KeyLine(values).c_str(),
                               logPath_.c_str());
}
