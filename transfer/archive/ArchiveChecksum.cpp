#include "transfer/archive/ArchiveChecksum.h"

#include <array>

namespace {
constexpr int kSliceBytes = 8;

struct ChecksumTables {
    std::uint32_t byteTable[256];                  // the reflected CRC-32 table
    std::uint32_t stateTables[4][256];             // eight zero bytes applied to one byte of the state
    std::uint32_t inputTables[kSliceBytes][256];   // one input byte at position i of eight
};

std::uint32_t Step(const ChecksumTables& t, std::uint32_t crc, std::uint8_t value)
{
    return t.byteTable[(crc ^ value) & 0xFF] ^ ((crc & 0x3FFFFFC0u) >> 6);
}

// The update is linear in the state and the input, so eight bytes at a time is the sum of what
// the state and each byte contribute on their own.
ChecksumTables BuildTables()
{
    ChecksumTables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t value = n;
        for (int round = 0; round < 8; ++round)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        t.byteTable[n] = value;
    }
    for (std::uint32_t v = 0; v < 256; ++v) {
        for (int j = 0; j < 4; ++j) {
            std::uint32_t crc = v << (8 * j);
            for (int k = 0; k < kSliceBytes; ++k)
                crc = Step(t, crc, 0);
            t.stateTables[j][v] = crc;
        }
        for (int i = 0; i < kSliceBytes; ++i) {
            std::uint32_t crc = Step(t, 0, static_cast<std::uint8_t>(v));
            for (int k = i + 1; k < kSliceBytes; ++k)
                crc = Step(t, crc, 0);
            t.inputTables[i][v] = crc;
        }
    }
    return t;
}

const ChecksumTables& Tables()
{
    static const ChecksumTables tables = BuildTables();
    return tables;
}
}  // namespace

std::uint32_t UpdateArchiveChecksum(std::uint32_t crc, const void* data, std::size_t size)
{
    const ChecksumTables& t = Tables();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t i = 0;
    for (; i + kSliceBytes <= size; i += kSliceBytes) {
        const std::uint8_t* b = bytes + i;
        crc = t.stateTables[0][crc & 0xFF] ^ t.stateTables[1][(crc >> 8) & 0xFF] ^
              t.stateTables[2][(crc >> 16) & 0xFF] ^ t.stateTables[3][crc >> 24] ^ t.inputTables[0][b[0]] ^
              t.inputTables[1][b[1]] ^ t.inputTables[2][b[2]] ^ t.inputTables[3][b[3]] ^ t.inputTables[4][b[4]] ^
              t.inputTables[5][b[5]] ^ t.inputTables[6][b[6]] ^ t.inputTables[7][b[7]];
    }
    for (; i < size; ++i)
        crc = Step(t, crc, bytes[i]);
    return crc;
}
