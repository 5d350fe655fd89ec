// What waits for the next start of Windows: "wininit.ini" on Windows 95, the system's own list of
// pending file operations on Windows NT.
#include "transfer/install/RenameAtRestart.h"

#include <windows.h>

#include "framework/CFrameworkException.h"
#include "transfer/paths/CFilePath.h"

namespace RenameAtRestart {
namespace {
constexpr char kDeleteTarget[] = "NUL";

std::string WininitPath()
{
    char found[MAX_PATH] = {};
    char* filePart = nullptr;
    if (SearchPathA(nullptr, "wininit.ini", nullptr, sizeof found, found, &filePart) > 0)
        return found;
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\wininit.ini";
}
}  // namespace

void AddToWininit(const std::string& target, const std::string& source)
{
    std::string path = WininitPath();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), path);
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    std::string updated = InsertLine(text, target, source);
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    DWORD written = 0;
    BOOL ok = WriteFile(file, updated.data(), static_cast<DWORD>(updated.size()), &written, nullptr);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok || written != updated.size())
        CFileException::ThrowOsError(static_cast<long>(error), path);
}

bool DeleteAtRestart(const std::string& path, bool isNT, bool isDirectory)
{
    if (isNT)
        return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
    if (isDirectory)
        return false;
    try {
        AddToWininit(kDeleteTarget, CFilePath(path).ShortForm());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace RenameAtRestart
