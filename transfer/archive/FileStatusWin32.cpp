#include "transfer/archive/FileStatus.h"

#include "framework/CFrameworkException.h"

#include <windows.h>

#include <io.h>

#include <cerrno>

namespace {
// 100-ns intervals between 1601-01-01 and 1970-01-01.
constexpr unsigned long long kUnixEpochInFileTime = 116444736000000000ULL;

FILETIME FileTimeFromUnix(std::uint32_t time)
{
    unsigned long long ticks = static_cast<unsigned long long>(time) * 10000000ULL + kUnixEpochInFileTime;
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(ticks);
    result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return result;
}

std::uint32_t UnixFromFileTime(const FILETIME& time)
{
    unsigned long long ticks = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    if (ticks < kUnixEpochInFileTime)
        return 0;
    return static_cast<std::uint32_t>((ticks - kUnixEpochInFileTime) / 10000000ULL);
}
}  // namespace

void ApplyFileStatus(const std::string& path, std::uint32_t time, std::uint8_t attributes)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), path);
    FILETIME lastWrite = FileTimeFromUnix(time);
    BOOL timeSet = SetFileTime(file, nullptr, nullptr, &lastWrite);
    DWORD timeError = GetLastError();
    CloseHandle(file);
    if (!timeSet)
        CFileException::ThrowOsError(static_cast<long>(timeError), path);
    ApplyFileAttributes(path, attributes);
}

void ApplyFileTime(std::FILE* file, const std::string& path, std::uint32_t time)
{
    if (std::fflush(file) != 0)
        CFileException::ThrowErrno(errno ? errno : EIO, path);
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    FILETIME lastWrite = FileTimeFromUnix(time);
    if (handle == INVALID_HANDLE_VALUE || !SetFileTime(handle, nullptr, nullptr, &lastWrite))
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), path);
}

void ApplyFileAttributes(const std::string& path, std::uint8_t attributes)
{
    // Only the bits a file can carry: a directory or volume bit from a damaged header is dropped.
    constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE;
    DWORD settable = attributes & kSettable;
    // Most files already carry what they should (a new file has the archive bit): reading the
    // attributes is a look at the file, setting them opens it once more.
    DWORD current = GetFileAttributesA(path.c_str());
    if (current != INVALID_FILE_ATTRIBUTES && (current & kSettable) == settable)
        return;
    DWORD fileAttributes = settable ? settable : FILE_ATTRIBUTE_NORMAL;
    if (!SetFileAttributesA(path.c_str(), fileAttributes))
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), path);
}

FileStatus QueryFileStatus(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), path);
    FindClose(find);
    FileStatus status;
    const FILETIME& created = data.ftCreationTime;
    bool noCreationTime = created.dwLowDateTime == 0 && created.dwHighDateTime == 0;
    status.time = UnixFromFileTime(noCreationTime ? data.ftLastWriteTime : created);
    status.attributes = static_cast<std::uint8_t>(data.dwFileAttributes & 0x27);
    status.size = data.nFileSizeLow;
    return status;
}
