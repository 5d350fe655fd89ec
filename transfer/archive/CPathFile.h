#pragma once
// A buffered file that remembers the path it was opened with. Binary I/O over std::FILE*;
// failures throw the framework's file exception with the cause of the operating system's error.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class CPathFile {
public:
    enum OpenMode {
        modeRead,    // existing file, read only
        modeCreate,  // create or truncate, read-write
    };

    CPathFile() = default;
    CPathFile(const CPathFile&) = delete;
    CPathFile& operator=(const CPathFile&) = delete;
    virtual ~CPathFile();

    virtual void Open(const std::string& path, OpenMode mode);
    virtual void Close();
    // Plain reads and writes; Read returns fewer bytes than asked only at the end of the file.
    virtual std::size_t Read(void* buffer, std::size_t count);
    virtual void Write(const void* buffer, std::size_t count);
    void Seek(std::uint32_t offsetFromStart);

    virtual bool IsOpen() const { return file_ != nullptr; }
    virtual std::string GetPath() const { return path_; }
    // Plain read that throws the end-of-file file exception when fewer than count bytes arrive.
    virtual void ReadExact(void* buffer, std::size_t count);

protected:
    // Where Open gets its stream: the named file opened in the mode. A subclass may hand over a
    // stream it opened itself.
    virtual std::FILE* OpenStream(const std::string& path, OpenMode mode);
    std::FILE* Stream() const { return file_; }
    std::size_t PlainRead(void* buffer, std::size_t count);
    void PlainWrite(const void* buffer, std::size_t count);

private:
    std::FILE* file_ = nullptr;
    std::string path_;
};
