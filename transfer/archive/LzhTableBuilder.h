#pragma once
// Builds the decoder's lookup table for a canonical Huffman code given by its code lengths.
#include <cstdint>

// Codes up to tableBits long fill their range of table entries; longer ones hang off the entry
// of their top bits as left/right nodes numbered from symbolCount upwards. Throws the archive
// error "corrupt table" when a length exceeds 16 or the lengths do not form a complete code.
void BuildLzhLookupTable(unsigned symbolCount, const std::uint8_t* lengths, int tableBits,
                         std::uint16_t* table, std::uint16_t* left, std::uint16_t* right);
