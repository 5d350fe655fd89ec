#include "transfer/archive/CStoredCodec.h"

#include "framework/CFrameworkException.h"

#include <algorithm>

CStoredCodec::CStoredCodec() : buffer_(new std::uint8_t[ArchiveFormat::kStoredBufferSize]) {}

void CStoredCodec::EncodeAll()
{
    for (;;) {
        if (abortRequested)
            return;
        std::size_t got = ReadBlock(buffer_.get(), ArchiveFormat::kStoredBufferSize);
        if (got == 0)
            return;
        WriteBlock(buffer_.get(), got);
    }
}

void CStoredCodec::DecodeCounts(std::uint32_t packedSize, std::uint32_t)
{
    std::uint32_t left = packedSize;
    while (left > 0) {
        if (abortRequested)
            return;
        std::size_t piece = std::min<std::size_t>(left, ArchiveFormat::kStoredBufferSize);
        std::size_t got = ReadBlock(buffer_.get(), piece);
        if (got == 0)
            throw CFileException(CFileException::endOfFile, -1, source->GetPath());
        WriteBlock(buffer_.get(), got);
        left -= static_cast<std::uint32_t>(got);
    }
}
