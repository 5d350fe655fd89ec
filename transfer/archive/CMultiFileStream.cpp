#include "transfer/archive/CMultiFileStream.h"

#include "transfer/archive/ArchiveChecksum.h"

#include <algorithm>

void CMultiFileStream::Open(const std::string& path, OpenMode mode)
{
    CPathFile::Open(path, mode);
    readBase = 0;
    writeBase = 0;
}

void CMultiFileStream::OpenCounted(const std::string& path)
{
    readBase = bytesRead;
    writeBase = bytesWritten;
    CPathFile::Open(path, modeRead);
}

std::size_t CMultiFileStream::RawRead(void* buffer, std::size_t count)
{
    return PlainRead(buffer, count);
}

void CMultiFileStream::RawWrite(const void* buffer, std::size_t count)
{
    PlainWrite(buffer, count);
}

std::size_t CMultiFileStream::NextPieceSize(std::size_t wanted) const
{
    std::int64_t belowLimit = static_cast<std::int64_t>(limit) - static_cast<std::int64_t>(bytesRead);
    std::size_t piece = std::min<std::size_t>(wanted, static_cast<std::size_t>(std::max<std::int64_t>(belowLimit, 0)));
    if (blockSize != 0)
        piece = std::min<std::size_t>(piece, blockSize - bytesRead % blockSize);
    return piece;
}

std::size_t CMultiFileStream::Read(void* buffer, std::size_t count)
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t asked = NextPieceSize(count - done);
        std::size_t got = asked ? PlainRead(bytes + done, asked) : 0;
        done += got;
        bytesRead += static_cast<std::uint32_t>(got);
        if (static_cast<std::int64_t>(bytesRead) >= limit) {
            if (OnEndOfData() || asked == 0)
                break;
        }
        if (got != 0 && blockSize != 0 && bytesRead % blockSize == 0)
            OnBlockBoundary();
        if (got < asked && OnEndOfData())
            break;
    }
    crc = UpdateArchiveChecksum(crc, bytes, done);
    return done;
}

void CMultiFileStream::Write(const void* buffer, std::size_t count)
{
    crc = UpdateArchiveChecksum(crc, buffer, count);
    PlainWrite(buffer, count);
    bytesWritten += static_cast<std::uint32_t>(count);
}
