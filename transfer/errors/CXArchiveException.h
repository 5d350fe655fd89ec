#pragma once
// An error while saving or loading data; cause as the framework's archive exception.
#include "transfer/errors/CXException.h"

class CXArchiveException : public CXException {
public:
    explicit CXArchiveException(int cause = 1) : CXException(cause) {}
    const char* ClassName() const override { return "CXArchiveException"; }
    const char* what() const noexcept override { return "CXArchiveException"; }
    void FillMessages() const override;
    std::unique_ptr<CXException> Clone() const override { return std::make_unique<CXArchiveException>(*this); }
};
