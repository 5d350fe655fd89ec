#pragma once
// An unsupported operation.
#include "transfer/errors/CXException.h"

class CXNotSupportedException : public CXException {
public:
    explicit CXNotSupportedException(int cause = 1) : CXException(cause) {}
    const char* ClassName() const override { return "CXNotSupportedException"; }
    const char* what() const noexcept override { return "CXNotSupportedException"; }
    void FillMessages() const override;
    std::unique_ptr<CXException> Clone() const override { return std::make_unique<CXNotSupportedException>(*this); }
};
