#pragma once
// The encoder's canonical Huffman code: lengths of at most 16 bits from symbol frequencies, and
// codes assigned in symbol order within each length (the order the decoder's tables assume).
#include <cstdint>

// Returns the number of symbols with a nonzero frequency. With fewer than two, every length is
// 0 and onlySymbol names the used symbol (0 when none is used).
unsigned BuildLzhHuffmanCode(unsigned symbolCount, const std::uint32_t* frequency, std::uint8_t* lengths,
                             std::uint16_t* codes, unsigned& onlySymbol);
