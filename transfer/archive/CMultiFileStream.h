#pragma once
// A file that counts the bytes passing through it and checksums them. Its counted read is split
// at every multiple of blockSize and announces two events that subclasses override: the block
// boundary (progress, message pump) and the end of the current file's data (next volume).
#include "transfer/archive/CPathFile.h"

#include <cstdint>

class CMultiFileStream : public CPathFile {
public:
    void Open(const std::string& path, OpenMode mode) override;
    // Remembers the counts in readBase/writeBase, then opens path for reading.
    virtual void OpenCounted(const std::string& path);
    // Plain file I/O that neither counts nor checksums.
    virtual std::size_t RawRead(void* buffer, std::size_t count);
    virtual void RawWrite(const void* buffer, std::size_t count);
    // Called when bytesRead reaches a multiple of blockSize.
    virtual void OnBlockBoundary() {}
    // Called when the current file ends or the limit is reached; true = stop, false = go on
    // (the subclass has opened the next volume).
    virtual bool OnEndOfData() { return true; }

    // Counted read and write; the read returns fewer bytes than asked only at a stop.
    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;

    std::uint32_t blockSize = 0;   // 0 = no block events
    std::uint32_t spare = 0;
    std::int32_t limit = 0x7FFFFFFF;
    std::uint32_t bytesRead = 0;
    std::uint32_t bytesWritten = 0;
    std::uint32_t crc = 0;
    std::uint32_t readBase = 0;
    std::uint32_t writeBase = 0;

private:
    std::size_t NextPieceSize(std::size_t wanted) const;
};
