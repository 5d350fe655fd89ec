#include "framework/CRunReportFile.h"

#include <cstdio>

CRunReportFile::~CRunReportFile()
{
    if (IsOpen())
        CloseHandle(file_);
}

DWORD CRunReportFile::Open(const std::string& path)
{
    // Appending: a second run with the same file (Unsetup after Setup) adds its record to the first.
    file_ = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    return IsOpen() ? 0 : GetLastError();
}

bool CRunReportFile::Write(const std::string& line)
{
    if (!IsOpen())
        return false;
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string text = Stamped(now, line) + "\r\n";
    DWORD written = 0;
    if (WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size())
        return true;
    DWORD error = GetLastError();
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    SetLastError(error ? error : ERROR_WRITE_FAULT);  // what the caller reports, not the closing's
    return false;
}

std::string CRunReportFile::Stamped(const SYSTEMTIME& time, const std::string& line)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", time.wYear, time.wMonth, time.wDay,
                  time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
    return stamp + line;
}
