#pragma once
// Method 3: LZ77 over an 8192-byte window with static Huffman blocks (the published lh5 stream).
// Decoding reads the packed bytes through a small buffer refilled by the counted ReadBlock, so
// the archive's block and end-of-data events happen at the same archive positions as byte reads.
#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CCodec.h"
#include "transfer/archive/LzhState.h"

#include <cstdint>
#include <memory>

// The bit input of the decoder. Process-wide, as only one codec decodes at any time; reset at
// the start of every decode. bitBuffer holds the next stream bits from its top bit down; its top
// 16 bits are the 16-bit look-ahead of the method. Past the packed data the stream reads as zeros.
struct LzhBitInput {
    std::uint64_t bitBuffer = 0;
    int pendingBits = 0;  // valid bits in bitBuffer
};
extern LzhBitInput g_lzhBitInput;

class CLzhCodec : public CCodec {
public:
    CLzhCodec();
    void EncodeAll() override;
    void DecodeCounts(std::uint32_t packedSize, std::uint32_t originalSize) override;

private:
    static constexpr std::size_t kInputBufferSize = 4096;

    void DecodeStep(unsigned count);
    void StartBlock();
    void ReadCodeLengthCode(unsigned symbolCount, int countBits, int special);
    void ReadLiteralLengths();
    void FillBits();
    void RefillInput();
    void DrainPackedData();
    unsigned PeekBits(int count) const;
    void ConsumeBits(int count);
    unsigned GetBits(int count);

    std::unique_ptr<LzhState> state_;
    std::unique_ptr<std::uint8_t[]> window_;
    std::unique_ptr<std::uint8_t[]> input_;
    const std::uint8_t* inputNext_ = nullptr;
    const std::uint8_t* inputEnd_ = nullptr;
    std::uint32_t packedLeft = 0;
    std::uint32_t originalLeft = 0;
    std::int32_t matchLeft = 0;
    std::uint32_t matchFrom = 0;
};
