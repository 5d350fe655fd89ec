#pragma once
// The compressor of the method: hash-chained matching over a 16640-byte text buffer with one
// step of lazy evaluation, symbols collected in an output buffer and sent as static Huffman blocks.
#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/LzhState.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class CCodec;

class CLzhCompressor {
public:
    // The frequencies and codes live in the codec's table object.
    CLzhCompressor(CCodec& codec, LzhState& state);
    ~CLzhCompressor();
    // Compresses the codec's whole source into its destination.
    void Run();

private:
    void AllocateBuffers();
    void EnsureLookahead(std::uint32_t position);
    std::uint32_t Lookahead(std::uint32_t position) const { return static_cast<std::uint32_t>(base_ + avail_ - position); }
    const std::uint8_t* At(std::uint32_t position) const { return text_.get() + (position - base_); }
    void Insert(std::uint32_t position);
    unsigned FindMatch(std::uint32_t position, unsigned& distance);

    void OutputLiteral(std::uint8_t value);
    void OutputMatch(unsigned length, unsigned distance);
    void StartSymbolGroup();
    void SendBlock();
    void CountLengthFrequencies();
    void WriteCodeLengthCode(unsigned symbolCount, int countBits, int special);
    void WriteLiteralLengths();
    void WriteSymbols();

    void PutBits(int count, unsigned value);
    void FlushBits();
    void FlushOutput();

    CCodec& codec_;
    LzhState& state_;
    std::unique_ptr<std::uint8_t[]> text_;
    std::unique_ptr<std::uint32_t[]> head_;
    std::unique_ptr<std::uint32_t[]> chain_;
    std::uint32_t base_ = 0;     // stream position of text_[0]
    std::size_t avail_ = 0;      // bytes held in text_
    bool endOfInput_ = false;

    std::uint8_t* symbols_ = nullptr;  // flag byte per 8 symbols; literal, or length and distance
    std::size_t symbolCapacity_ = 0;
    std::size_t symbolUsed_ = 0;
    std::size_t flagPosition_ = 0;
    unsigned flagBit_ = 0;
    unsigned blockSymbols_ = 0;

    std::uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;
    std::unique_ptr<std::uint8_t[]> output_;
    std::size_t outputUsed_ = 0;
};
