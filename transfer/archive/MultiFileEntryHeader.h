#pragma once
// The 346-byte entry header as fields; converted to and from its little-endian bytes field by field.
#include "transfer/archive/ArchiveFormat.h"

#include <array>
#include <cstdint>

struct MultiFileEntryHeader {
    char magic[4] = {'m', 'f', 'e', 'n'};
    std::uint16_t version = ArchiveFormat::kEntryVersion;
    std::uint16_t headerSize = static_cast<std::uint16_t>(ArchiveFormat::kEntryHeaderSize);
    std::uint32_t time = 0;
    char name[ArchiveFormat::kNameFieldSize] = {};
    std::uint32_t originalSize = 0;
    std::uint32_t packedSize = 0;
    std::uint32_t crc = 0;
    std::uint32_t method = 0;
    std::uint32_t methodParam = 0;
    std::uint16_t destinationId = 0;
    std::uint16_t attributes = 0;
    std::uint16_t continued = 0;

    using Bytes = std::array<std::uint8_t, ArchiveFormat::kEntryHeaderSize>;
    // Reserved fields are written as zero and ignored when read.
    Bytes ToBytes() const;
    static MultiFileEntryHeader FromBytes(const Bytes& bytes);
    bool HasEntryMagic() const;
};

// Little-endian helpers shared by the archive reader and writer.
void PutLittleEndian16(std::uint8_t* out, std::uint16_t value);
void PutLittleEndian32(std::uint8_t* out, std::uint32_t value);
std::uint16_t GetLittleEndian16(const std::uint8_t* in);
std::uint32_t GetLittleEndian32(const std::uint8_t* in);
