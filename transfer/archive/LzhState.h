#pragma once
// Tables of the compressed method for one codec: code lengths, first-level lookup tables and the
// tree nodes of codes longer than the lookup width, plus the encoder's frequencies and codes.
#include "transfer/archive/ArchiveFormat.h"

#include <cstdint>

struct LzhState {
    std::uint16_t blockRemaining = 0;  // symbols left in the current block
    std::uint8_t literalLengths[ArchiveFormat::kNumLiteralCodes] = {};
    // Shared by the code-length code and the position code, as the tables are.
    std::uint8_t positionLengths[ArchiveFormat::kNumLengthCodes] = {};
    std::uint16_t literalTable[1u << ArchiveFormat::kLiteralTableBits] = {};
    std::uint16_t positionTable[1u << ArchiveFormat::kPositionTableBits] = {};
    std::uint16_t left[ArchiveFormat::kTreeNodes] = {};
    std::uint16_t right[ArchiveFormat::kTreeNodes] = {};

    // Encoder side.
    std::uint32_t literalFrequency[ArchiveFormat::kNumLiteralCodes] = {};
    std::uint32_t positionFrequency[ArchiveFormat::kNumPositionCodes] = {};
    std::uint32_t lengthFrequency[ArchiveFormat::kNumLengthCodes] = {};
    std::uint16_t literalCodes[ArchiveFormat::kNumLiteralCodes] = {};
    std::uint16_t positionCodes[ArchiveFormat::kNumLengthCodes] = {};
};
