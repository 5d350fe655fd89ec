#include "transfer/archive/FileStatus.h"

#include "framework/CFrameworkException.h"
#include "transfer/archive/ArchiveFormat.h"

#include <cerrno>
#include <sys/stat.h>
#include <utime.h>

void ApplyFileStatus(const std::string& path, std::uint32_t time, std::uint8_t attributes)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        CFileException::ThrowErrno(errno, path);
    struct utimbuf times {};
    times.actime = info.st_atime;
    times.modtime = static_cast<time_t>(time);
    if (utime(path.c_str(), &times) != 0)
        CFileException::ThrowErrno(errno, path);
    ApplyFileAttributes(path, attributes);
}

void ApplyFileTime(std::FILE* file, const std::string& path, std::uint32_t time)
{
    if (std::fflush(file) != 0)
        CFileException::ThrowErrno(errno ? errno : EIO, path);
    struct timespec times[2] = {};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(time);
    if (futimens(fileno(file), times) != 0)
        CFileException::ThrowErrno(errno, path);
}

void ApplyFileAttributes(const std::string& path, std::uint8_t attributes)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        CFileException::ThrowErrno(errno, path);
    mode_t mode = info.st_mode & 07777;
    if (attributes & ArchiveFormat::kAttrReadOnly)
        mode &= ~static_cast<mode_t>(0222);
    else
        mode |= S_IWUSR;
    if (chmod(path.c_str(), mode) != 0)
        CFileException::ThrowErrno(errno, path);
}

FileStatus QueryFileStatus(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        CFileException::ThrowErrno(errno, path);
    FileStatus status;
    // No portable creation time here: the last-write time stands in for it.
    status.time = static_cast<std::uint32_t>(info.st_mtime);
    status.attributes = (info.st_mode & S_IWUSR) ? ArchiveFormat::kAttrArchive
                                                 : ArchiveFormat::kAttrArchive | ArchiveFormat::kAttrReadOnly;
    status.size = static_cast<std::uint32_t>(info.st_size);
    return status;
}
