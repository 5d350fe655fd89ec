#pragma once
// Layout of the multi-file archive and the parameters of its compressed method.
// All integers are little-endian; strings are NUL-terminated inside fixed fields.
#include <cstddef>
#include <cstdint>

namespace ArchiveFormat {

// Chunk header that begins the volume header and every entry header.
constexpr char kVolumeMagic[4] = {'m', 'f', 'l', 'h'};
constexpr char kEntryMagic[4] = {'m', 'f', 'e', 'n'};
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kVolumeHeaderSize = kChunkHeaderSize;
constexpr std::uint16_t kVolumeVersion = 1;
constexpr std::uint16_t kEntryVersion = 1;

// Entry header: exactly 346 bytes, fields at these offsets.
constexpr std::size_t kEntryHeaderSize = 346;
constexpr std::size_t kOffMagic = 0;
constexpr std::size_t kOffVersion = 4;
constexpr std::size_t kOffHeaderSize = 6;
constexpr std::size_t kOffTime = 8;            // seconds since 1970-01-01 UTC
constexpr std::size_t kOffName = 16;           // stored name, 260 bytes
constexpr std::size_t kOffOriginalSize = 276;  // size after extraction
constexpr std::size_t kOffPackedSize = 280;    // data bytes following the header
constexpr std::size_t kOffCrc = 284;           // checksum of the extracted bytes, 0 = unchecked
constexpr std::size_t kOffMethod = 292;
constexpr std::size_t kOffMethodParam = 296;   // ignored by the codec factory
constexpr std::size_t kOffDestinationId = 300;
constexpr std::size_t kOffAttributes = 302;    // low byte: file-attribute byte
constexpr std::size_t kOffContinued = 304;     // nonzero: data continues in the next volume
constexpr std::size_t kNameFieldSize = 260;

constexpr std::uint32_t kMethodStored = 2;
constexpr std::uint32_t kMethodLzh = 3;

// File-attribute bits of the attribute byte.
constexpr std::uint8_t kAttrReadOnly = 0x01;
constexpr std::uint8_t kAttrHidden = 0x02;
constexpr std::uint8_t kAttrSystem = 0x04;
constexpr std::uint8_t kAttrArchive = 0x20;

// Reads are split at every multiple of this many archive bytes (progress and message pump tick).
constexpr std::uint32_t kArchiveBlockSize = 4096;
constexpr std::int32_t kNoReadLimit = 0x7FFFFFFF;

constexpr std::size_t kStoredBufferSize = 16384;

// Compressed method: LZ77 with static Huffman blocks (8 KB window).
constexpr int kDicBits = 13;
constexpr unsigned kDicSize = 1u << kDicBits;        // window of 8192 bytes
constexpr unsigned kMaxMatch = 256;                  // longest match
constexpr unsigned kThreshold = 3;                   // shortest match
constexpr unsigned kNumLiteralCodes = 256 + kMaxMatch - kThreshold + 1;  // NC = 510
constexpr int kLiteralCountBits = 9;                 // CBIT
constexpr unsigned kNumLengthCodes = 19;             // NT: alphabet of the code-length code
constexpr int kLengthCountBits = 5;                  // TBIT
constexpr unsigned kNumPositionCodes = kDicBits + 1; // NP = 14
constexpr int kPositionCountBits = 4;                // PBIT
constexpr int kLengthCodeSpecial = 3;                // after index 3 a 2-bit run of zeros follows
constexpr int kLiteralTableBits = 12;
constexpr int kPositionTableBits = 8;
constexpr int kMaxCodeLength = 16;
constexpr unsigned kTreeNodes = 2 * kNumLiteralCodes - 1;  // left/right arrays: 1019
constexpr std::size_t kEncoderTextSize = 2 * kDicSize + kMaxMatch;  // 16640
constexpr std::size_t kEncoderOutputSize = 16384;

}  // namespace ArchiveFormat
