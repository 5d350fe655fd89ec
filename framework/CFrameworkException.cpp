#include "framework/CFrameworkException.h"

#include <cerrno>

int CFileException::CauseFromErrno(int err)
{
    switch (err) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST: return accessDenied;
    case EBADF: return invalidFile;
    case ESPIPE: return badSeek;
    case EIO: return hardIO;
    case ENOSPC: return diskFull;
    default: return generic;
    }
}

int CFileException::CauseFromOsError(long osError)
{
    // Windows error codes (winerror.h), listed by number so that portable code can map them too.
    switch (osError) {
    case 0: return none;
    case 2: return fileNotFound;           // ERROR_FILE_NOT_FOUND
    case 3: return badPath;                // ERROR_PATH_NOT_FOUND
    case 4: return tooManyOpenFiles;       // ERROR_TOO_MANY_OPEN_FILES
    case 5: return accessDenied;           // ERROR_ACCESS_DENIED
    case 6: return invalidFile;            // ERROR_INVALID_HANDLE
    case 16: return removeCurrentDir;      // ERROR_CURRENT_DIRECTORY
    case 18: return directoryFull;         // ERROR_NO_MORE_FILES
    case 19: return accessDenied;          // ERROR_WRITE_PROTECT
    case 21: return hardIO;                // ERROR_NOT_READY
    case 23: return hardIO;                // ERROR_CRC
    case 25: return badSeek;               // ERROR_SEEK
    case 29: return hardIO;                // ERROR_WRITE_FAULT
    case 30: return hardIO;                // ERROR_READ_FAULT
    case 32: return sharingViolation;      // ERROR_SHARING_VIOLATION
    case 33: return lockViolation;         // ERROR_LOCK_VIOLATION
    case 38: return endOfFile;             // ERROR_HANDLE_EOF
    case 39: return diskFull;              // ERROR_HANDLE_DISK_FULL
    case 53: return badPath;               // ERROR_BAD_NETPATH
    case 80: return accessDenied;          // ERROR_FILE_EXISTS
    case 112: return diskFull;             // ERROR_DISK_FULL
    case 123: return badPath;              // ERROR_INVALID_NAME
    case 161: return badPath;              // ERROR_BAD_PATHNAME
    case 183: return accessDenied;         // ERROR_ALREADY_EXISTS
    case 206: return badPath;              // ERROR_FILENAME_EXCED_RANGE
    default: return generic;
    }
}

void CFileException::ThrowErrno(int err, const std::string& fileName)
{
    throw CFileException(CauseFromErrno(err), err, fileName);
}

void CFileException::ThrowOsError(long osError, const std::string& fileName)
{
    throw CFileException(CauseFromOsError(osError), osError, fileName);
}
