#include "transfer/ArchiveChecksum.h"

#include <array>

namespace {
std::array<std::uint32_t, 256> BuildChecksumTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t value = n;
        for (int round = 0; round < 8; ++round)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        table[n] = value;
    }
    return table;
}

const std::array<std::uint32_t, 256>& ChecksumTable()
{
    static const std::array<std::uint32_t, 256> table = BuildChecksumTable();
    return table;
}
}  // namespace

std::uint32_t UpdateArchiveChecksum(std::uint32_t crc, const void* data, std::size_t size)
{
    const auto& table = ChecksumTable();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ ((crc & 0x3FFFFFC0u) >> 6);
    return crc;
}
