#pragma once
// Out of memory.
#include "transfer/errors/CXException.h"

class CXMemoryException : public CXException {
public:
    explicit CXMemoryException(int cause = 1) : CXException(cause) {}
    const char* ClassName() const override { return "CXMemoryException"; }
    const char* what() const noexcept override { return "CXMemoryException"; }
    void FillMessages() const override;
    std::unique_ptr<CXException> Clone() const override { return std::make_unique<CXMemoryException>(*this); }
};
