#include "transfer/archive/CLzhCompressor.h"

#include "framework/CFrameworkException.h"
#include "transfer/archive/CCodec.h"
#include "transfer/archive/LzhHuffmanCode.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace ArchiveFormat;

namespace {
constexpr int kHashBits = 15;
constexpr std::uint32_t kChainSize = 2 * kDicSize;  // chain links, indexed by position modulo this
constexpr unsigned kMaxChain = 256;                  // candidates tried per position
constexpr unsigned kGoodEnough = 128;                // a match this long ends the search
constexpr std::size_t kOutputSize = 4096;
constexpr std::size_t kGroupSize = 1 + 8 * 3;         // a flag byte and eight matches

std::uint32_t HashOf(const std::uint8_t* p)
{
    std::uint32_t value = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    return (value * 2654435761u) >> (32 - kHashBits);
}

unsigned PositionCode(unsigned distance)
{
    unsigned code = 0;
    while (distance != 0) {
        ++code;
        distance >>= 1;
    }
    return code;
}
}  // namespace

CLzhCompressor::CLzhCompressor(CCodec& codec, LzhState& state) : codec_(codec), state_(state)
{
    std::fill_n(state_.literalFrequency, kNumLiteralCodes, 0);
    std::fill_n(state_.positionFrequency, kNumPositionCodes, 0);
}

CLzhCompressor::~CLzhCompressor()
{
    delete[] symbols_;
}

// All work buffers at the start; the symbol buffer shrinks to nine tenths on each failed
// allocation down to the size of one symbol group.
void CLzhCompressor::AllocateBuffers()
{
    text_.reset(new (std::nothrow) std::uint8_t[kEncoderTextSize]);
    head_.reset(new (std::nothrow) std::uint32_t[1u << kHashBits]());
    chain_.reset(new (std::nothrow) std::uint32_t[kChainSize]());
    output_.reset(new (std::nothrow) std::uint8_t[kOutputSize]);
    if (!text_ || !head_ || !chain_ || !output_)
        throw CMemoryException();
    for (std::size_t size = kEncoderOutputSize; size >= 2 * kGroupSize; size = size / 10 * 9) {
        symbols_ = new (std::nothrow) std::uint8_t[size];
        if (symbols_) {
            symbolCapacity_ = size;
            return;
        }
    }
    throw CMemoryException();
}

// Keeps at least kMaxMatch bytes ahead of position while input remains, and the 8192 bytes
// before it as the dictionary.
void CLzhCompressor::EnsureLookahead(std::uint32_t position)
{
    if (endOfInput_ || Lookahead(position) > kMaxMatch)
        return;
    std::size_t offset = position - base_;
    if (offset > kDicSize) {
        std::size_t shift = offset - kDicSize;
        std::memmove(text_.get(), text_.get() + shift, avail_ - shift);
        base_ += static_cast<std::uint32_t>(shift);
        avail_ -= shift;
    }
    while (avail_ < kEncoderTextSize) {
        std::size_t got = codec_.ReadBlock(text_.get() + avail_, kEncoderTextSize - avail_);
        if (got == 0) {
            endOfInput_ = true;
            break;
        }
        avail_ += got;
    }
}

void CLzhCompressor::Insert(std::uint32_t position)
{
    if (Lookahead(position) < kThreshold)
        return;
    std::uint32_t& head = head_[HashOf(At(position))];
    chain_[position % kChainSize] = head;
    head = position + 1;
}

// Longest earlier occurrence of the bytes at position within the window; 0 when shorter than 3.
unsigned CLzhCompressor::FindMatch(std::uint32_t position, unsigned& distance)
{
    unsigned limit = std::min<std::uint32_t>(kMaxMatch, Lookahead(position));
    if (limit < kThreshold)
        return 0;
    const std::uint8_t* current = At(position);
    unsigned best = kThreshold - 1;
    std::uint32_t link = head_[HashOf(current)];
    for (unsigned tries = 0; link != 0 && tries < kMaxChain; ++tries) {
        std::uint32_t candidate = link - 1;
        if (candidate >= position || position - candidate > kDicSize || candidate < base_)
            break;
        const std::uint8_t* earlier = At(candidate);
        if (earlier[best] == current[best] && earlier[0] == current[0]) {
            unsigned length = 0;
            while (length < limit && earlier[length] == current[length])
                ++length;
            if (length > best) {
                best = length;
                distance = position - candidate - 1;
                if (length >= kGoodEnough || length == limit)
                    break;
            }
        }
        std::uint32_t next = chain_[candidate % kChainSize];
        if (next == 0 || next - 1 >= candidate)
            break;
        link = next;
    }
    return best >= kThreshold ? best : 0;
}

void CLzhCompressor::Run()
{
    AllocateBuffers();
    StartSymbolGroup();
    std::uint32_t position = 0;
    unsigned pendingLength = 0;
    unsigned pendingDistance = 0;
    bool pending = false;
    for (;;) {
        if (codec_.AbortRequested())
            return;
        EnsureLookahead(position);
        if (Lookahead(position) == 0)
            break;
        unsigned distance = 0;
        unsigned length = FindMatch(position, distance);
        Insert(position);
        if (pending && pendingLength >= kThreshold && length <= pendingLength) {
            // The match found one byte earlier wins: send it and skip over its bytes.
            OutputMatch(pendingLength, pendingDistance);
            std::uint32_t end = position - 1 + pendingLength;
            for (std::uint32_t p = position + 1; p < end; ++p)
                Insert(p);
            position = end;
            pending = false;
            continue;
        }
        if (pending)
            OutputLiteral(*At(position - 1));
        pending = true;
        pendingLength = length;
        pendingDistance = distance;
        ++position;
    }
    if (pending) {
        if (pendingLength >= kThreshold)
            OutputMatch(pendingLength, pendingDistance);
        else
            OutputLiteral(*At(position - 1));
    }
    if (blockSymbols_ != 0)
        SendBlock();
    FlushBits();
    FlushOutput();
}

void CLzhCompressor::StartSymbolGroup()
{
    if (symbolUsed_ + kGroupSize > symbolCapacity_ || blockSymbols_ + 8 > 0xFFFF) {
        SendBlock();
        symbolUsed_ = 0;
    }
    flagPosition_ = symbolUsed_++;
    symbols_[flagPosition_] = 0;
    flagBit_ = 0;
}

void CLzhCompressor::OutputLiteral(std::uint8_t value)
{
    if (flagBit_ == 8)
        StartSymbolGroup();
    ++flagBit_;
    symbols_[symbolUsed_++] = value;
    ++state_.literalFrequency[value];
    ++blockSymbols_;
}

void CLzhCompressor::OutputMatch(unsigned length, unsigned distance)
{
    if (flagBit_ == 8)
        StartSymbolGroup();
    symbols_[flagPosition_] |= static_cast<std::uint8_t>(1u << flagBit_++);
    symbols_[symbolUsed_++] = static_cast<std::uint8_t>(length - kThreshold);
    symbols_[symbolUsed_++] = static_cast<std::uint8_t>(distance);
    symbols_[symbolUsed_++] = static_cast<std::uint8_t>(distance >> 8);
    ++state_.literalFrequency[length + 256 - kThreshold];
    ++state_.positionFrequency[PositionCode(distance)];
    ++blockSymbols_;
}

// Frequencies of the code-length code over the literal lengths as WriteLiteralLengths sends them.
void CLzhCompressor::CountLengthFrequencies()
{
    std::fill_n(state_.lengthFrequency, kNumLengthCodes, 0);
    unsigned count = kNumLiteralCodes;
    while (count > 0 && state_.literalLengths[count - 1] == 0)
        --count;
    for (unsigned i = 0; i < count;) {
        unsigned length = state_.literalLengths[i++];
        if (length != 0) {
            ++state_.lengthFrequency[length + 2];
            continue;
        }
        unsigned run = 1;
        while (i < count && state_.literalLengths[i] == 0) {
            ++i;
            ++run;
        }
        if (run <= 2)
            state_.lengthFrequency[0] += run;
        else if (run <= 18)
            ++state_.lengthFrequency[1];
        else if (run == 19) {
            ++state_.lengthFrequency[0];
            ++state_.lengthFrequency[1];
        } else
            ++state_.lengthFrequency[2];
    }
}

void CLzhCompressor::WriteCodeLengthCode(unsigned symbolCount, int countBits, int special)
{
    unsigned count = symbolCount;
    while (count > 0 && state_.positionLengths[count - 1] == 0)
        --count;
    PutBits(countBits, count);
    for (unsigned i = 0; i < count;) {
        unsigned length = state_.positionLengths[i++];
        if (length <= 6)
            PutBits(3, length);
        else
            PutBits(static_cast<int>(length) - 3, (1u << (length - 3)) - 2);
        if (static_cast<int>(i) == special) {
            while (i < 6 && state_.positionLengths[i] == 0)
                ++i;
            PutBits(2, (i - 3) & 3);
        }
    }
}

void CLzhCompressor::WriteLiteralLengths()
{
    const std::uint8_t* lengthOf = state_.positionLengths;
    const std::uint16_t* codeOf = state_.positionCodes;
    unsigned count = kNumLiteralCodes;
    while (count > 0 && state_.literalLengths[count - 1] == 0)
        --count;
    PutBits(kLiteralCountBits, count);
    for (unsigned i = 0; i < count;) {
        unsigned length = state_.literalLengths[i++];
        if (length != 0) {
            PutBits(lengthOf[length + 2], codeOf[length + 2]);
            continue;
        }
        unsigned run = 1;
        while (i < count && state_.literalLengths[i] == 0) {
            ++i;
            ++run;
        }
        if (run <= 2) {
            for (unsigned k = 0; k < run; ++k)
                PutBits(lengthOf[0], codeOf[0]);
        } else if (run <= 18) {
            PutBits(lengthOf[1], codeOf[1]);
            PutBits(4, run - 3);
        } else if (run == 19) {
            PutBits(lengthOf[0], codeOf[0]);
            PutBits(lengthOf[1], codeOf[1]);
            PutBits(4, 15);
        } else {
            PutBits(lengthOf[2], codeOf[2]);
            PutBits(kLiteralCountBits, run - 20);
        }
    }
}

void CLzhCompressor::WriteSymbols()
{
    const std::uint8_t* positionLengths = state_.positionLengths;
    std::size_t at = 0;
    unsigned flags = 0;
    for (unsigned symbol = 0; symbol < blockSymbols_; ++symbol) {
        if (symbol % 8 == 0)
            flags = symbols_[at++];
        if (!(flags & (1u << (symbol % 8)))) {
            unsigned value = symbols_[at++];
            PutBits(state_.literalLengths[value], state_.literalCodes[value]);
            continue;
        }
        unsigned code = symbols_[at] + 256;
        unsigned distance = symbols_[at + 1] | (symbols_[at + 2] << 8);
        at += 3;
        PutBits(state_.literalLengths[code], state_.literalCodes[code]);
        unsigned p = PositionCode(distance);
        PutBits(positionLengths[p], state_.positionCodes[p]);
        if (p > 1)
            PutBits(static_cast<int>(p) - 1, distance & ((1u << (p - 1)) - 1));
    }
}

// One block: its symbol count, the three code tables, then the symbols.
void CLzhCompressor::SendBlock()
{
    if (blockSymbols_ == 0)
        return;
    unsigned only = 0;
    unsigned used = BuildLzhHuffmanCode(kNumLiteralCodes, state_.literalFrequency, state_.literalLengths,
                                        state_.literalCodes, only);
    PutBits(16, blockSymbols_);
    if (used >= 2) {
        CountLengthFrequencies();
        unsigned onlyLength = 0;
        if (BuildLzhHuffmanCode(kNumLengthCodes, state_.lengthFrequency, state_.positionLengths,
                                state_.positionCodes, onlyLength) >= 2) {
            WriteCodeLengthCode(kNumLengthCodes, kLengthCountBits, kLengthCodeSpecial);
        } else {
            PutBits(kLengthCountBits, 0);
            PutBits(kLengthCountBits, onlyLength);
        }
        WriteLiteralLengths();
    } else {
        PutBits(kLengthCountBits, 0);
        PutBits(kLengthCountBits, 0);
        PutBits(kLiteralCountBits, 0);
        PutBits(kLiteralCountBits, only);
    }
    unsigned onlyPosition = 0;
    if (BuildLzhHuffmanCode(kNumPositionCodes, state_.positionFrequency, state_.positionLengths,
                            state_.positionCodes, onlyPosition) >= 2) {
        WriteCodeLengthCode(kNumPositionCodes, kPositionCountBits, -1);
    } else {
        PutBits(kPositionCountBits, 0);
        PutBits(kPositionCountBits, onlyPosition);
    }
    WriteSymbols();
    std::fill_n(state_.literalFrequency, kNumLiteralCodes, 0);
    std::fill_n(state_.positionFrequency, kNumPositionCodes, 0);
    blockSymbols_ = 0;
}

void CLzhCompressor::PutBits(int count, unsigned value)
{
    if (count == 0)
        return;
    bitBuffer_ = (bitBuffer_ << count) | (value & ((1u << count) - 1));
    bitCount_ += count;
    while (bitCount_ >= 8) {
        bitCount_ -= 8;
        if (outputUsed_ == kOutputSize)
            FlushOutput();
        output_[outputUsed_++] = static_cast<std::uint8_t>(bitBuffer_ >> bitCount_);
    }
}

void CLzhCompressor::FlushBits()
{
    if (bitCount_ > 0)
        PutBits(8 - bitCount_, 0);
}

void CLzhCompressor::FlushOutput()
{
    if (outputUsed_ != 0)
        codec_.WriteBlock(output_.get(), outputUsed_);
    outputUsed_ = 0;
}
