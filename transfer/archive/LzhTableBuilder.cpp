#include "transfer/archive/LzhTableBuilder.h"

#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CMultiFileException.h"

using ArchiveFormat::kMaxCodeLength;

namespace {
[[noreturn]] void ThrowCorruptTable()
{
    throw CMultiFileException(CMultiFileException::corruptTable);
}

// First code of each length, in units of 16-bit codes; the code must fill the space exactly
// (an all-zero table is the empty code and is accepted, it decodes as symbol 0).
void ComputeStarts(unsigned symbolCount, const std::uint8_t* lengths, std::uint32_t* start)
{
    std::uint32_t count[kMaxCodeLength + 1] = {};
    for (unsigned symbol = 0; symbol < symbolCount; ++symbol) {
        if (lengths[symbol] > kMaxCodeLength)
            ThrowCorruptTable();
        ++count[lengths[symbol]];
    }
    start[1] = 0;
    for (int length = 1; length <= kMaxCodeLength; ++length)
        start[length + 1] = start[length] + (count[length] << (kMaxCodeLength - length));
    if (start[kMaxCodeLength + 1] != (1u << 16) && start[kMaxCodeLength + 1] != 0)
        ThrowCorruptTable();
}
}  // namespace

void BuildLzhLookupTable(unsigned symbolCount, const std::uint8_t* lengths, int tableBits,
                         std::uint16_t* table, std::uint16_t* left, std::uint16_t* right)
{
    std::uint32_t start[kMaxCodeLength + 2];
    ComputeStarts(symbolCount, lengths, start);
    const int jutBits = kMaxCodeLength - tableBits;
    const std::uint32_t tableSize = 1u << tableBits;
    std::uint32_t weight[kMaxCodeLength + 1];
    for (int length = 1; length <= kMaxCodeLength; ++length)
        weight[length] = 1u << (kMaxCodeLength - length);

    for (std::uint32_t i = start[tableBits + 1] >> jutBits; i < tableSize; ++i)
        table[i] = 0;
    std::uint32_t nextNode = symbolCount;
    const std::uint32_t branchMask = 1u << (kMaxCodeLength - 1 - tableBits);
    for (unsigned symbol = 0; symbol < symbolCount; ++symbol) {
        int length = lengths[symbol];
        if (length == 0)
            continue;
        std::uint32_t code = start[length];
        start[length] += weight[length];
        if (length <= tableBits) {
            for (std::uint32_t i = code >> jutBits; i < start[length] >> jutBits; ++i)
                table[i] = static_cast<std::uint16_t>(symbol);
            continue;
        }
        std::uint16_t* slot = &table[code >> jutBits];
        for (int depth = length - tableBits; depth > 0; --depth) {
            if (*slot == 0) {
                left[nextNode] = right[nextNode] = 0;
                *slot = static_cast<std::uint16_t>(nextNode++);
            }
            slot = (code & branchMask) ? &right[*slot] : &left[*slot];
            code <<= 1;
        }
        *slot = static_cast<std::uint16_t>(symbol);
    }
}
