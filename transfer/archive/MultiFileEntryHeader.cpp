#include "transfer/archive/MultiFileEntryHeader.h"

#include <cstring>

using namespace ArchiveFormat;

void PutLittleEndian16(std::uint8_t* out, std::uint16_t value)
{
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLittleEndian32(std::uint8_t* out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint16_t GetLittleEndian16(const std::uint8_t* in)
{
    return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

std::uint32_t GetLittleEndian32(const std::uint8_t* in)
{
    return static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) |
           (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
}

MultiFileEntryHeader::Bytes MultiFileEntryHeader::ToBytes() const
{
    Bytes out{};
    std::memcpy(&out[kOffMagic], magic, 4);
    PutLittleEndian16(&out[kOffVersion], version);
    PutLittleEndian16(&out[kOffHeaderSize], headerSize);
    PutLittleEndian32(&out[kOffTime], time);
    std::memcpy(&out[kOffName], name, kNameFieldSize);
    out[kOffName + kNameFieldSize - 1] = 0;
    PutLittleEndian32(&out[kOffOriginalSize], originalSize);
    PutLittleEndian32(&out[kOffPackedSize], packedSize);
    PutLittleEndian32(&out[kOffCrc], crc);
    PutLittleEndian32(&out[kOffMethod], method);
    PutLittleEndian32(&out[kOffMethodParam], methodParam);
    PutLittleEndian16(&out[kOffDestinationId], destinationId);
    PutLittleEndian16(&out[kOffAttributes], attributes);
    PutLittleEndian16(&out[kOffContinued], continued);
    return out;
}

MultiFileEntryHeader MultiFileEntryHeader::FromBytes(const Bytes& in)
{
    MultiFileEntryHeader header;
    std::memcpy(header.magic, &in[kOffMagic], 4);
    header.version = GetLittleEndian16(&in[kOffVersion]);
    header.headerSize = GetLittleEndian16(&in[kOffHeaderSize]);
    header.time = GetLittleEndian32(&in[kOffTime]);
    std::memcpy(header.name, &in[kOffName], kNameFieldSize);
    header.name[kNameFieldSize - 1] = 0;  // an unterminated stored name is cut, never overrun
    header.originalSize = GetLittleEndian32(&in[kOffOriginalSize]);
    header.packedSize = GetLittleEndian32(&in[kOffPackedSize]);
    header.crc = GetLittleEndian32(&in[kOffCrc]);
    header.method = GetLittleEndian32(&in[kOffMethod]);
    header.methodParam = GetLittleEndian32(&in[kOffMethodParam]);
    header.destinationId = GetLittleEndian16(&in[kOffDestinationId]);
    header.attributes = GetLittleEndian16(&in[kOffAttributes]);
    header.continued = GetLittleEndian16(&in[kOffContinued]);
    return header;
}

bool MultiFileEntryHeader::HasEntryMagic() const
{
    return std::memcmp(magic, kEntryMagic, 4) == 0;
}
