#include "transfer/archive/CPathFile.h"

#include "framework/CFrameworkException.h"

#include <cerrno>

CPathFile::~CPathFile()
{
    if (file_)
        std::fclose(file_);
}

void CPathFile::Open(const std::string& path, OpenMode mode)
{
    Close();
    path_ = path;
    errno = 0;
    file_ = OpenStream(path, mode);
    if (!file_)
        CFileException::ThrowErrno(errno ? errno : ENOENT, path);
}

std::FILE* CPathFile::OpenStream(const std::string& path, OpenMode mode)
{
    return std::fopen(path.c_str(), mode == modeRead ? "rb" : "w+b");
}

void CPathFile::Close()
{
    if (!file_)
        return;
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    if (std::fclose(file) != 0)
        CFileException::ThrowErrno(errno ? errno : EIO, path_);
}

std::size_t CPathFile::Read(void* buffer, std::size_t count)
{
    return PlainRead(buffer, count);
}

void CPathFile::Write(const void* buffer, std::size_t count)
{
    PlainWrite(buffer, count);
}

std::size_t CPathFile::PlainRead(void* buffer, std::size_t count)
{
    if (!file_)
        throw CFileException(CFileException::invalidFile, -1, path_);
    if (count == 0)
        return 0;
    errno = 0;
    std::size_t got = std::fread(buffer, 1, count, file_);
    if (got < count && std::ferror(file_))
        CFileException::ThrowErrno(errno ? errno : EIO, path_);
    return got;
}

void CPathFile::PlainWrite(const void* buffer, std::size_t count)
{
    if (!file_)
        throw CFileException(CFileException::invalidFile, -1, path_);
    if (count == 0)
        return;
    errno = 0;
    if (std::fwrite(buffer, 1, count, file_) != count)
        CFileException::ThrowErrno(errno ? errno : ENOSPC, path_);
}

void CPathFile::Seek(std::uint32_t offsetFromStart)
{
    if (!file_)
        throw CFileException(CFileException::invalidFile, -1, path_);
    if (std::fseek(file_, static_cast<long>(offsetFromStart), SEEK_SET) != 0)
        throw CFileException(CFileException::badSeek, errno, path_);
}

void CPathFile::ReadExact(void* buffer, std::size_t count)
{
    if (PlainRead(buffer, count) < count)
        throw CFileException(CFileException::endOfFile, -1, path_);
}
