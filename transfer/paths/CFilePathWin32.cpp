// The file-system side of CFilePath: thin calls of the Win32 API and the C run-time.
#include "transfer/paths/CFilePath.h"

#include "framework/CFrameworkException.h"
#include "framework/ProcAddress.h"

#include <windows.h>
#undef GetFreeSpace

#include <cerrno>
#include <direct.h>
#include <sys/stat.h>

namespace {

bool FitsInPathBuffer(const std::string& text)
{
    return !text.empty() && text.size() < static_cast<std::string::size_type>(CFilePath::kMaxPath);
}

// A text of at most MAX_PATH characters filled by one of the well-known directory calls.
std::string WellKnownDirectory(CFilePath::Known kind)
{
    char buffer[MAX_PATH + 1] = "";
    DWORD n = 0;
    switch (kind) {
    case CFilePath::Known::currentDir: n = GetCurrentDirectoryA(sizeof buffer, buffer); break;
    case CFilePath::Known::windowsDir: n = GetWindowsDirectoryA(buffer, sizeof buffer); break;
    case CFilePath::Known::systemDir: n = GetSystemDirectoryA(buffer, sizeof buffer); break;
    case CFilePath::Known::programDir: n = GetModuleFileNameA(nullptr, buffer, sizeof buffer); break;
    case CFilePath::Known::tempDir: n = GetTempPathA(sizeof buffer, buffer); break;
    }
    if (n == 0 || n >= sizeof buffer)
        return std::string();
    return std::string(buffer, n);
}

void CloseFindHandle(void* handle)
{
    FindClose(static_cast<HANDLE>(handle));
}

DWORD Attributes(const std::string& text)
{
    return FitsInPathBuffer(text) ? GetFileAttributesA(text.c_str()) : INVALID_FILE_ATTRIBUTES;
}

// Looked up at run time: the first release of Windows 95 lacks it.
auto FindGetDiskFreeSpaceEx()
{
    return FindWinApiFunction<BOOL, LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER>(
        GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA");
}

// Free (available to this user) or total bytes of the drive whose root is given ("" for the
// current drive), in 64 bits; 0 when the drive cannot be asked.
unsigned long long DiskSpace(const std::string& root, bool total)
{
    const char* rootText = root.empty() ? nullptr : root.c_str();
    if (auto getEx = FindGetDiskFreeSpaceEx()) {
        ULARGE_INTEGER available, totalBytes, freeBytes;
        if (getEx(rootText, &available, &totalBytes, &freeBytes))
            return total ? totalBytes.QuadPart : available.QuadPart;
        return 0;
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(rootText, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return 0;
    unsigned long long clusterBytes =
        static_cast<unsigned long long>(sectorsPerCluster) * bytesPerSector;
    return clusterBytes * (total ? totalClusters : freeClusters);
}

// True for texts that name a root: "\", "C:", "C:\".
bool IsRootText(const std::string& text)
{
    if (text == "\\" || text == "/")
        return true;
    if (text.size() == 2 && text[1] == ':')
        return true;
    return text.size() == 3 && text[1] == ':' && (text[2] == '\\' || text[2] == '/');
}

bool DirectoryTextExists(const std::string& text)
{
    std::string probe = text.size() == 2 && text[1] == ':' ? text + '\\' : text;
    DWORD attributes = Attributes(probe);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates the directory; on failure errno tells why (the run-time library's creation call).
bool CreateDirectoryText(const std::string& text)
{
    if (!FitsInPathBuffer(text)) {
        errno = ENAMETOOLONG;
        return false;
    }
    return _mkdir(text.c_str()) == 0;
}

// text has no trailing backslash (except a root's own).
bool MakeDirectoryText(const std::string& text, bool recursive)
{
    if (text.empty()) {
        errno = ENOENT;
        return false;
    }
    if (IsRootText(text)) {
        if (DirectoryTextExists(text))
            return true;
        errno = ENOENT;
        return false;
    }
    if (CreateDirectoryText(text))
        return true;
    int createError = errno;
    if (DirectoryTextExists(text))
        return true;
    if (!recursive) {
        errno = createError;
        return false;
    }
    std::string::size_type cut = text.find_last_of("\\/");
    if (cut == std::string::npos) {
        errno = createError;
        return false;
    }
    std::string parent = text.substr(0, cut);
    if (parent.empty() || (parent.size() == 2 && parent[1] == ':'))
        parent = text.substr(0, cut + 1);
    if (!MakeDirectoryText(parent, true))
        return false;
    return MakeDirectoryText(text, false);
}

} // namespace

CFilePath::CFilePath(Known kind) : path(WellKnownDirectory(kind))
{
    if (kind == Known::programDir) {
        SetFileName(std::string());
    }
    AddTrailingBackslash();
}

bool CFilePath::Exists() const
{
    // The attributes are readable even while another program holds the file open exclusively.
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

unsigned long long CFilePath::GetSize() const
{
    struct _stati64 status;
    if (!FitsInPathBuffer(path) || _stati64(path.c_str(), &status) != 0)
        return 0;
    return status.st_size < 0 ? 0 : static_cast<unsigned long long>(status.st_size);
}

long long CFilePath::GetModifyTime() const
{
    struct _stati64 status;
    if (!FitsInPathBuffer(path) || _stati64(path.c_str(), &status) != 0)
        return 0;
    return static_cast<long long>(status.st_mtime);
}

std::string CFilePath::ShortForm() const
{
    char buffer[MAX_PATH] = {};
    DWORD length = FitsInPathBuffer(path) ? GetShortPathNameA(path.c_str(), buffer, sizeof buffer) : 0;
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : path;
}

std::string CFilePath::LongForm() const
{
    std::string existing = path;
    std::string rest;
    while (FitsInPathBuffer(existing)) {
        char buffer[MAX_PATH] = {};
        DWORD length = GetLongPathNameA(existing.c_str(), buffer, sizeof buffer);
        if (length > 0 && length < sizeof buffer)
            return std::string(buffer, length) + rest;
        std::string::size_type cut = existing.find_last_of('\\');
        if (cut == std::string::npos || cut < 3)
            break;
        rest = existing.substr(cut) + rest;
        existing.erase(cut);
    }
    return path;
}

bool CFilePath::DirectoryExists() const
{
    return DirectoryTextExists(GetDirectory());
}

bool CFilePath::RemoveDir() const
{
    std::string directory = GetDirectory();
    return FitsInPathBuffer(directory) && RemoveDirectoryA(directory.c_str()) != 0;
}

bool CFilePath::MakeDirectory(bool recursive) const
{
    CFilePath directory(path);
    directory.RemoveTrailingBackslash();
    return MakeDirectoryText(directory.path, recursive);
}

void CFilePath::MakeDirectoryOrThrow(bool recursive) const
{
    if (!MakeDirectory(recursive))
        CFileException::ThrowErrno(errno, path);
}

bool CFilePath::Delete() const
{
    return FitsInPathBuffer(path) && DeleteFileA(path.c_str()) != 0;
}

bool CFilePath::RenameTo(const CFilePath& newName) const
{
    return FitsInPathBuffer(path) && FitsInPathBuffer(newName.path) &&
           MoveFileA(path.c_str(), newName.path.c_str()) != 0;
}

unsigned long long CFilePath::GetFreeSpace() const
{
    return DiskSpace(GetRoot(), false);
}

unsigned long long CFilePath::GetTotalSpace() const
{
    return DiskSpace(GetRoot(), true);
}

unsigned int CFilePath::QueryDriveType() const
{
    std::string root = GetRoot();
    return GetDriveTypeA(root.empty() ? nullptr : root.c_str());
}

bool CFilePath::IsRemovable() const
{
    return QueryDriveType() == DRIVE_REMOVABLE;
}

bool CFilePath::FindFirst(int attributeMask)
{
    CloseSearch();
    searchAttributes = attributeMask;
    if (!FitsInPathBuffer(path))
        return false;
    WIN32_FIND_DATAA entry;
    HANDLE handle = FindFirstFileA(path.c_str(), &entry);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    findHandle = std::unique_ptr<void, void (*)(void*)>(handle, CloseFindHandle);
    while ((entry.dwFileAttributes & static_cast<DWORD>(attributeMask)) == 0) {
        if (!FindNextFileA(handle, &entry))
            return false;
    }
    // A directory found becomes the path's directory; a file its name.
    bool isDirectory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    CFilePath found(path);
    if (isDirectory && (attributeMask & kDirectoryAttribute)) {
        found.RemoveTrailingBackslash();
        if (!found.SetFileName(entry.cFileName) || !found.AddTrailingBackslash())
            return false;
    } else if (!found.SetFileName(entry.cFileName)) {
        return false;
    }
    path = found.path;
    return true;
}

bool CFilePath::HasSubdirectory() const
{
    CFilePath pattern(path);
    if (!pattern.SetFileName("*.*"))
        return false;
    return pattern.FindFirst(kDirectoryAttribute);
}

bool CFilePath::MakeUniqueName(bool retry, int tries)
{
    for (int i = 0; i < tries; ++i) {
        if (!SetFileTitle(RandomHexName(8)))
            return false;
        if (!Exists())
            return true;
        if (!retry)
            break;
    }
    return false;
}

bool CFilePath::SetToNearestExistingDirectory()
{
    CFilePath directory(path);
    if (!directory.SetFileName(std::string()))
        return false;
    while (!directory.DirectoryExists()) {
        if (!directory.RemoveLastDirectory())
            return false;
    }
    path = directory.path;
    return true;
}
