#include "framework/WholeFile.h"

DWORD ReadWholeFile(const std::string& path, std::string& text)
{
    // Shared with a writer: the uninstall log's journal is read while Setup may hold it open.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    text.clear();
    char buffer[16384];
    DWORD got = 0;
    BOOL ok;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        text.append(buffer, got);
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    CloseHandle(file);
    return error;
}

DWORD WriteWholeFile(const std::string& path, const std::string& text, bool flush)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD written = 0;
    DWORD error = ERROR_SUCCESS;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        error = GetLastError();
    else if (written != text.size())
        error = ERROR_DISK_FULL;
    else if (flush && !FlushFileBuffers(file))
        error = GetLastError();
    CloseHandle(file);
    return error;
}
