#pragma once
// The framework's exception classes. Portable: no Windows header.
// They are thrown by value and caught by reference; the error reporting of the installer converts
// them into its own family (CXException) where they are shown to the user.
#include <exception>
#include <string>

class CFrameworkException : public std::exception {
public:
    ~CFrameworkException() override = default;
    // Run-time class name, shown in the error dialog's information line.
    virtual const char* ClassName() const { return "CException"; }
    const char* what() const noexcept override { return "framework exception"; }
};

class CMemoryException : public CFrameworkException {
public:
    const char* ClassName() const override { return "CMemoryException"; }
};

class CNotSupportedException : public CFrameworkException {
public:
    const char* ClassName() const override { return "CNotSupportedException"; }
};

class CResourceException : public CFrameworkException {
public:
    const char* ClassName() const override { return "CResourceException"; }
};

// Cancellation by the user; never shown.
class CUserException : public CFrameworkException {
public:
    const char* ClassName() const override { return "CUserException"; }
};

class CArchiveException : public CFrameworkException {
public:
    explicit CArchiveException(int cause = 0) : cause(cause) {}
    const char* ClassName() const override { return "CArchiveException"; }
    int cause;
};

class CFileException : public CFrameworkException {
public:
    // The framework's file-error causes; their numbers are those of the error tables.
    enum Cause {
        none = 0,
        generic = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = generic, long osError = -1, std::string fileName = {})
        : cause(cause), osError(osError), fileName(std::move(fileName)) {}
    const char* ClassName() const override { return "CFileException"; }

    // Cause for a C run-time error number (errno).
    static int CauseFromErrno(int err);
    // Cause for a Windows error code (GetLastError); meaningful on every platform.
    static int CauseFromOsError(long osError);

    [[noreturn]] static void ThrowErrno(int err, const std::string& fileName = {});
    [[noreturn]] static void ThrowOsError(long osError, const std::string& fileName = {});

    int cause;
    long osError;
    std::string fileName;
};
