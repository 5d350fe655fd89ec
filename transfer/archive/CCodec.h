#pragma once
// Base of the entry codecs: moves bytes from a source stream to a destination stream through
// their (counted) Read and Write, so that volume changes, block events and the checksum happen
// on the way. One codec runs at a time.
#include "transfer/archive/CPathFile.h"

#include <cstddef>
#include <cstdint>

class CCodec {
public:
    CCodec() = default;
    CCodec(const CCodec&) = delete;
    CCodec& operator=(const CCodec&) = delete;
    virtual ~CCodec() = default;

    // Only a flag store: the running codec stops at its next check.
    virtual void SetAbort() { abortRequested = true; }
    virtual std::uint8_t ReadByte();
    virtual std::size_t ReadBlock(void* buffer, std::size_t count);
    virtual void WriteByte(std::uint8_t value);
    virtual void WriteBlock(const void* buffer, std::size_t count);
    // Compresses the whole source into the destination.
    virtual void EncodeAll() = 0;
    virtual void Encode(CPathFile& from, CPathFile& to);
    virtual void DecodeCounts(std::uint32_t packedSize, std::uint32_t originalSize) = 0;
    virtual void Decode(CPathFile& from, CPathFile& to, std::uint32_t packedSize, std::uint32_t originalSize);

    bool AbortRequested() const { return abortRequested; }

protected:
    CPathFile* source = nullptr;
    CPathFile* destination = nullptr;
    volatile bool abortRequested = false;
    bool encoding = false;
    bool decoding = false;
};
