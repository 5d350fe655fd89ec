#include "transfer/archive/CCodec.h"

namespace {
// Clears the codec's stream fields however the run ends.
struct StreamBinding {
    CPathFile*& source;
    CPathFile*& destination;
    bool& flag;
    ~StreamBinding()
    {
        source = nullptr;
        destination = nullptr;
        flag = false;
    }
};
}  // namespace

std::uint8_t CCodec::ReadByte()
{
    // At the end of the data the counted read delivers nothing; the byte then reads as 0.
    std::uint8_t value = 0;
    source->Read(&value, 1);
    return value;
}

std::size_t CCodec::ReadBlock(void* buffer, std::size_t count)
{
    return source->Read(buffer, count);
}

void CCodec::WriteByte(std::uint8_t value)
{
    destination->Write(&value, 1);
}

void CCodec::WriteBlock(const void* buffer, std::size_t count)
{
    destination->Write(buffer, count);
}

void CCodec::Encode(CPathFile& from, CPathFile& to)
{
    abortRequested = false;
    source = &from;
    destination = &to;
    encoding = true;
    StreamBinding binding{source, destination, encoding};
    EncodeAll();
}

void CCodec::Decode(CPathFile& from, CPathFile& to, std::uint32_t packedSize, std::uint32_t originalSize)
{
    abortRequested = false;
    source = &from;
    destination = &to;
    decoding = true;
    StreamBinding binding{source, destination, decoding};
    DecodeCounts(packedSize, originalSize);
}
