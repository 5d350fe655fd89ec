#pragma once
// A resource could not be loaded.
#include "transfer/errors/CXException.h"

class CXResourceException : public CXException {
public:
    explicit CXResourceException(int cause = 1) : CXException(cause) {}
    const char* ClassName() const override { return "CXResourceException"; }
    const char* what() const noexcept override { return "CXResourceException"; }
    void FillMessages() const override;
    std::unique_ptr<CXException> Clone() const override { return std::make_unique<CXResourceException>(*this); }
};
