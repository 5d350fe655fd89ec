#include "integration/RestartWindows.h"

#include <windows.h>

#include <string>

#include "framework/FormatText.h"
#include "framework/Win32Helpers.h"
#include "resources/resource.h"

namespace {
bool ReportFailure(const char* call, DWORD error, bool quiet)
{
    if (!quiet)
        ShowMessageBox(FormatNumbered(LoadResString(IDS_REBOOT_PRIVILEGE), {call, std::to_string(error)}), MB_OK);
    return false;
}

bool EnableShutdownPrivilege(bool quiet)
{
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return ReportFailure("LookupPrivilegeValue", GetLastError(), quiet);
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return ReportFailure("OpenProcessToken", GetLastError(), quiet);
    BOOL adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    DWORD error = GetLastError();
    CloseHandle(token);
    return adjusted ? true : ReportFailure("AdjustTokenPrivileges", error, quiet);
}
}

bool RestartWindows(bool isNT, bool quiet)
{
    if (isNT && !EnableShutdownPrivilege(quiet))
        return false;
    return ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0) != FALSE;
}
