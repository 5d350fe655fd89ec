#pragma once
// The archive's 32-bit checksum: the reflected CRC-32 table (0xEDB88320) with its own update
// rule (the old value shifted by 6 bits, not 8, masked to 24 bits; no final inversion).
#include <cstddef>
#include <cstdint>

std::uint32_t UpdateArchiveChecksum(std::uint32_t crc, const void* data, std::size_t size);
