#pragma once
// An archive error; cause is one of the codes below, each with its own title and text.
#include "transfer/errors/CXException.h"

class CMultiFileException : public CXException {
public:
    enum Code {
        unknownMethod = 1,       // no codec for the entry's method
        notAnArchive = 2,        // the volume header is not "mflh"
        missingEntryHeader = 3,  // a full-length entry header without "mfen"
        corruptTable = 4,        // a Huffman code-length table is not a complete code
        checksumMismatch = 5,    // the extracted bytes do not match a nonzero crc
    };

    explicit CMultiFileException(int cause = 1) : CXException(cause) {}
    const char* ClassName() const override { return "CMultiFileException"; }
    const char* what() const noexcept override { return "CMultiFileException"; }
    void FillMessages() const override;
    std::unique_ptr<CXException> Clone() const override { return std::make_unique<CMultiFileException>(*this); }
};
