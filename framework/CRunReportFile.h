#pragma once
// The run's record on disk: each line stamped with the local time to the millisecond and appended
// at once, so that a run that stops half-way leaves every line it wrote. A file that cannot be
// opened or written costs the run nothing: the record stops, and says so once.
#include <windows.h>

#include <string>

class CRunReportFile {
public:
    CRunReportFile() = default;
    ~CRunReportFile();
    CRunReportFile(const CRunReportFile&) = delete;
    CRunReportFile& operator=(const CRunReportFile&) = delete;

    // Opens the file for appending (made when missing). The Windows error code, 0 when open.
    DWORD Open(const std::string& path);
    // Writes one stamped line; false once the file could not take it.
    bool Write(const std::string& line);
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

    // "2026-12-10 13:45:01.123 text"
    static std::string Stamped(const SYSTEMTIME& time, const std::string& line);

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};
