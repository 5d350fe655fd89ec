#include "transfer/archive/CLzhCodec.h"

#include "transfer/archive/CLzhCompressor.h"
#include "transfer/archive/CMultiFileException.h"
#include "transfer/archive/LzhTableBuilder.h"

#include <algorithm>
#include <cstring>

using namespace ArchiveFormat;

LzhBitInput g_lzhBitInput;

namespace {
constexpr unsigned kWindowMask = kDicSize - 1;
// Bits a symbol may need at most: literal code, position code and 12 extra position bits.
constexpr int kBitsPerSymbol = 2 * kMaxCodeLength + kDicBits - 1;

[[noreturn]] void ThrowCorruptTable()
{
    throw CMultiFileException(CMultiFileException::corruptTable);
}
}  // namespace

CLzhCodec::CLzhCodec()
    : state_(new LzhState()), window_(new std::uint8_t[kDicSize]()), input_(new std::uint8_t[kInputBufferSize])
{
}

void CLzhCodec::EncodeAll()
{
    CLzhCompressor compressor(*this, *state_);
    compressor.Run();
}

// Refills the packed-byte buffer with up to kInputBufferSize of the bytes still owed. When the
// archive delivers nothing, one zero byte stands in for the missing one, as a byte read would.
void CLzhCodec::RefillInput()
{
    std::size_t wanted = std::min<std::size_t>(kInputBufferSize, packedLeft);
    std::size_t got = ReadBlock(input_.get(), wanted);
    if (got == 0) {
        input_[0] = 0;
        got = 1;
    }
    packedLeft -= static_cast<std::uint32_t>(got);
    inputNext_ = input_.get();
    inputEnd_ = input_.get() + got;
}

void CLzhCodec::FillBits()
{
    LzhBitInput& in = g_lzhBitInput;
    while (in.pendingBits <= 56) {
        if (inputNext_ == inputEnd_) {
            if (packedLeft == 0) {
                in.pendingBits += 8;  // zeros past the end of the packed data
                continue;
            }
            RefillInput();
        }
        in.bitBuffer |= static_cast<std::uint64_t>(*inputNext_++) << (56 - in.pendingBits);
        in.pendingBits += 8;
    }
}

unsigned CLzhCodec::PeekBits(int count) const
{
    return count == 0 ? 0 : static_cast<unsigned>(g_lzhBitInput.bitBuffer >> (64 - count));
}

void CLzhCodec::ConsumeBits(int count)
{
    LzhBitInput& in = g_lzhBitInput;
    if (in.pendingBits < count)
        FillBits();
    in.bitBuffer <<= count;
    in.pendingBits -= count;
    if (in.pendingBits < kBitsPerSymbol)
        FillBits();
}

unsigned CLzhCodec::GetBits(int count)
{
    unsigned value = PeekBits(count);
    ConsumeBits(count);
    return value;
}

// Code lengths of the code-length code or of the position code: 3-bit values extended in unary,
// with a 2-bit run of zeros after the special index. A count of 0 sends a one-symbol code.
void CLzhCodec::ReadCodeLengthCode(unsigned symbolCount, int countBits, int special)
{
    LzhState& s = *state_;
    unsigned count = GetBits(countBits);
    if (count == 0) {
        unsigned value = GetBits(countBits);
        if (value >= symbolCount)
            ThrowCorruptTable();
        std::fill_n(s.positionLengths, symbolCount, 0);
        std::fill_n(s.positionTable, 1u << kPositionTableBits, static_cast<std::uint16_t>(value));
        return;
    }
    if (count > symbolCount)
        ThrowCorruptTable();
    unsigned i = 0;
    while (i < count) {
        unsigned length = PeekBits(3);
        if (length == 7) {
            std::uint64_t mask = std::uint64_t(1) << (63 - 3);
            while (length <= kMaxCodeLength && (g_lzhBitInput.bitBuffer & mask)) {
                ++length;
                mask >>= 1;
            }
            if (length > kMaxCodeLength)
                ThrowCorruptTable();
        }
        ConsumeBits(length < 7 ? 3 : static_cast<int>(length) - 3);
        s.positionLengths[i++] = static_cast<std::uint8_t>(length);
        if (static_cast<int>(i) == special) {
            unsigned zeros = GetBits(2);
            if (i + zeros > symbolCount)
                ThrowCorruptTable();
            while (zeros-- > 0)
                s.positionLengths[i++] = 0;
        }
    }
    std::fill(s.positionLengths + i, s.positionLengths + symbolCount, 0);
    BuildLzhLookupTable(symbolCount, s.positionLengths, kPositionTableBits, s.positionTable, s.left, s.right);
}

// Literal/length code lengths, sent through the code-length code: 0 one zero, 1 a run of 3..18
// zeros, 2 a run of 20..531 zeros, c >= 3 the length c - 2. A count of 0 sends a one-symbol code.
void CLzhCodec::ReadLiteralLengths()
{
    LzhState& s = *state_;
    unsigned count = GetBits(kLiteralCountBits);
    if (count == 0) {
        unsigned value = GetBits(kLiteralCountBits);
        if (value >= kNumLiteralCodes)
            ThrowCorruptTable();
        std::fill_n(s.literalLengths, kNumLiteralCodes, 0);
        std::fill_n(s.literalTable, 1u << kLiteralTableBits, static_cast<std::uint16_t>(value));
        return;
    }
    if (count > kNumLiteralCodes)
        ThrowCorruptTable();
    unsigned i = 0;
    while (i < count) {
        unsigned c = s.positionTable[PeekBits(kPositionTableBits)];
        for (std::uint64_t mask = std::uint64_t(1) << (63 - kPositionTableBits); c >= kNumLengthCodes; mask >>= 1)
            c = (g_lzhBitInput.bitBuffer & mask) ? s.right[c] : s.left[c];
        ConsumeBits(s.positionLengths[c]);
        if (c > 2) {
            s.literalLengths[i++] = static_cast<std::uint8_t>(c - 2);
            continue;
        }
        unsigned zeros = c == 0 ? 1 : c == 1 ? GetBits(4) + 3 : GetBits(kLiteralCountBits) + 20;
        if (i + zeros > count)
            ThrowCorruptTable();
        std::fill_n(s.literalLengths + i, zeros, 0);
        i += zeros;
    }
    std::fill(s.literalLengths + i, s.literalLengths + kNumLiteralCodes, 0);
    BuildLzhLookupTable(kNumLiteralCodes, s.literalLengths, kLiteralTableBits, s.literalTable, s.left, s.right);
}

void CLzhCodec::StartBlock()
{
    state_->blockRemaining = static_cast<std::uint16_t>(GetBits(16));
    ReadCodeLengthCode(kNumLengthCodes, kLengthCountBits, kLengthCodeSpecial);
    ReadLiteralLengths();
    ReadCodeLengthCode(kNumPositionCodes, kPositionCountBits, -1);
}

// Decodes count bytes into the window from index 0; a match that runs past the end of the step
// is kept in matchLeft/matchFrom and continues at the start of the next step.
void CLzhCodec::DecodeStep(unsigned count)
{
    std::uint8_t* const window = window_.get();
    unsigned r = 0;
    while (matchLeft > 0) {
        window[r++] = window[matchFrom];
        matchFrom = (matchFrom + 1) & kWindowMask;
        --matchLeft;
        if (r == count)
            return;
    }
    LzhState& s = *state_;
    std::uint64_t bits = g_lzhBitInput.bitBuffer;
    int bitCount = g_lzhBitInput.pendingBits;
    const std::uint8_t* next = inputNext_;
    const std::uint8_t* end = inputEnd_;
    std::uint16_t blockRemaining = s.blockRemaining;
    auto store = [&] {
        g_lzhBitInput.bitBuffer = bits;
        g_lzhBitInput.pendingBits = bitCount;
        inputNext_ = next;
        inputEnd_ = end;
        s.blockRemaining = blockRemaining;
    };
    auto load = [&] {
        bits = g_lzhBitInput.bitBuffer;
        bitCount = g_lzhBitInput.pendingBits;
        next = inputNext_;
        end = inputEnd_;
        blockRemaining = s.blockRemaining;
    };
    auto consume = [&](int n) {
        bits <<= n;
        bitCount -= n;
    };
    while (!abortRequested) {
        if (bitCount < kBitsPerSymbol) {
            if (end - next >= 8) {
                // Eight bytes at once; the bytes only partly taken are read again next time.
                std::uint64_t word = 0;
                for (int i = 0; i < 8; ++i)
                    word = (word << 8) | next[i];
                bits |= word >> bitCount;
                next += (63 - bitCount) >> 3;
                bitCount |= 56;
            } else {
                store();
                FillBits();
                load();
            }
        }
        if (blockRemaining == 0) {
            store();
            StartBlock();
            load();
        }
        --blockRemaining;
        unsigned c = s.literalTable[bits >> (64 - kLiteralTableBits)];
        if (c >= kNumLiteralCodes) {
            std::uint64_t mask = std::uint64_t(1) << (63 - kLiteralTableBits);
            do {
                c = (bits & mask) ? s.right[c] : s.left[c];
                mask >>= 1;
            } while (c >= kNumLiteralCodes);
        }
        consume(s.literalLengths[c]);
        if (c < 256) {
            window[r++] = static_cast<std::uint8_t>(c);
            if (r == count)
                break;
            continue;
        }
        unsigned length = c - (256 - kThreshold);
        unsigned p = s.positionTable[bits >> (64 - kPositionTableBits)];
        if (p >= kNumPositionCodes) {
            std::uint64_t mask = std::uint64_t(1) << (63 - kPositionTableBits);
            do {
                p = (bits & mask) ? s.right[p] : s.left[p];
                mask >>= 1;
            } while (p >= kNumPositionCodes);
        }
        consume(s.positionLengths[p]);
        unsigned distance = p;
        if (p > 1) {
            distance = (1u << (p - 1)) + static_cast<unsigned>(bits >> (64 - (p - 1)));
            consume(static_cast<int>(p) - 1);
        }
        unsigned from = (r - distance - 1) & kWindowMask;
        if (r + length <= count && from + length <= kDicSize) {
            const std::uint8_t* src = window + from;
            std::uint8_t* dst = window + r;
            unsigned gap = r > from ? r - from : from - r;
            unsigned i = 0;
            if (gap >= 8) {
                // Source and destination are at least 8 bytes apart: copy a word at a time.
                for (; i + 8 <= length; i += 8)
                    std::memcpy(dst + i, src + i, 8);
            }
            for (; i < length; ++i)
                dst[i] = src[i];
            r += length;
            if (r == count)
                break;
            continue;
        }
        matchFrom = from;
        matchLeft = static_cast<std::int32_t>(length);
        while (matchLeft > 0) {
            window[r++] = window[matchFrom];
            matchFrom = (matchFrom + 1) & kWindowMask;
            --matchLeft;
            if (r == count)
                break;
        }
        if (r == count)
            break;
    }
    store();
}

// Fetches what is left of the entry's packed data, so that the archive stands at the next entry
// header even when the stream carries bytes its decoding did not need.
void CLzhCodec::DrainPackedData()
{
    while (packedLeft > 0 && !abortRequested) {
        std::size_t got = ReadBlock(input_.get(), std::min<std::size_t>(kInputBufferSize, packedLeft));
        if (got == 0)
            return;
        packedLeft -= static_cast<std::uint32_t>(got);
    }
}

void CLzhCodec::DecodeCounts(std::uint32_t packedSize, std::uint32_t originalSize)
{
    packedLeft = packedSize;
    originalLeft = originalSize;
    inputNext_ = inputEnd_ = input_.get();
    g_lzhBitInput = LzhBitInput();
    state_->blockRemaining = 0;
    matchLeft = 0;
    matchFrom = 0;
    if (originalLeft > 0)
        FillBits();
    while (originalLeft > 0) {
        if (abortRequested)
            return;
        unsigned step = std::min<std::uint32_t>(kDicSize, originalLeft);
        DecodeStep(step);
        if (abortRequested)
            return;
        WriteBlock(window_.get(), step);
        originalLeft -= step;
    }
    DrainPackedData();
}
