#pragma once
// Method 2: the packed bytes are the file's bytes, moved in pieces of at most 16384 bytes.
#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CCodec.h"

#include <memory>

class CStoredCodec : public CCodec {
public:
    CStoredCodec();
    void EncodeAll() override;
    // Copies exactly packedSize bytes; originalSize is not used. Data that ends early throws the
    // end-of-file file exception.
    void DecodeCounts(std::uint32_t packedSize, std::uint32_t originalSize) override;

private:
    std::unique_ptr<std::uint8_t[]> buffer_;
};
